# (filled in with the dialog layer over Qt widgets)
