# Sources of src/comm (see src/CMakeLists.txt for the libraries).
