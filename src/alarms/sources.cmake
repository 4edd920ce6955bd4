# Sources of src/alarms (see src/CMakeLists.txt for the libraries).
