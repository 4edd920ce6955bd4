# Sources of src/platform (see src/CMakeLists.txt for the libraries).
