# The main window's setup commands: port dialog, parameter sets, About box, parameter list.
# Included by the application's CMakeLists (and by their tests when it does not).
if(TARNEL_WITH_QT AND NOT TARGET tarnel_setup_qt)
    add_library(tarnel_setup_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/SetupCommands.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SetupCommands.h)
    target_include_directories(tarnel_setup_qt PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tarnel_setup_qt PUBLIC tarnel_app tarnel_paramsets_qt
        tarnel_link_qt tarnel_platform_qt Qt6::Widgets)
    target_compile_definitions(tarnel_setup_qt PRIVATE TARNEL_VERSION="${PROJECT_VERSION}")
    set_target_properties(tarnel_setup_qt PROPERTIES AUTOMOC ON)
    tarnel_warnings(tarnel_setup_qt)
endif()
