# Sources of src/views (see src/CMakeLists.txt for the libraries).
