# Sources of src/widgets (see src/CMakeLists.txt for the libraries).
