# Sources of src/app (see src/CMakeLists.txt for the libraries).
