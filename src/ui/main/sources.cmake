# Sources of src/ui/main (see src/CMakeLists.txt for the libraries).
