# Sources of src/charts (see src/CMakeLists.txt for the libraries).
