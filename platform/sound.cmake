# (filled in with the sound workers' platform layer)
