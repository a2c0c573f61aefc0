add_executable(orvanel src/app/linux/orvanel_main.cpp)
target_link_libraries(orvanel PRIVATE orvanel_core)
orvanel_copy_translations(orvanel)
