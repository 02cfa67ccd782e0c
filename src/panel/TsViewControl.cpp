#include "TsViewControl.h"

CTsViewControl::CTsViewControl(QWidget* parent) : CTsView(parent) {}

CTsViewControl::~CTsViewControl() = default;
