# Sources of src/model (see src/CMakeLists.txt for the libraries).
