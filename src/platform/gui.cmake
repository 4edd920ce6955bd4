# (see sources.cmake)
