# Sources of src/admin (see src/CMakeLists.txt for the libraries).
