# (sound tests)
