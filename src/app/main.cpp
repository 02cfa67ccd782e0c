// tarnel: the operator panel.

#include "app/PanelApp.h"

int main(int argc, char** argv) {
    return CPanelApp::Main(argc, argv);
}
