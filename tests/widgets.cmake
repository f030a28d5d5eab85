# (dialog tests)
