# The serial port over QSerialPort.
target_sources(tolvek_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/portqt.cpp)
