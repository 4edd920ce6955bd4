# Sources of src/db (see src/CMakeLists.txt for the libraries).
