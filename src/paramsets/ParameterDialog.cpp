#include "ParameterDialog.h"

#include "ScanInt.h"
#include "config/Configuration.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace {

constexpr int MAX_ROW_TEXT = 99;
constexpr int MAX_BOX_TEXT = 49;

} // namespace

CParameterDialog::CParameterDialog(CConfiguration& configuration, QWidget* parent)
    : QDialog(parent), m_configuration(configuration) {
    setObjectName("parameterDialog");

    m_nameBox = new QLineEdit("---", this);
    m_nameBox->setObjectName("nameBox");
    m_nameBox->setReadOnly(true);
    m_valueBox = new QLineEdit(this);
    m_valueBox->setObjectName("valueBox");
    m_setButton = new QPushButton("Set", this);
    m_setButton->setObjectName("setButton");
    m_setButton->setDefault(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName("parameterList");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({"Parameter", "Nr", "Wert"});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(COLUMN_NAME, 143);
    m_list->setColumnWidth(COLUMN_REGISTER, 40);
    m_list->setColumnWidth(COLUMN_VALUE, 40);
    const QIcon rowIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (int i = 0; i < m_configuration.GetParameterCount(); ++i) {
        const CParameter* parameter = m_configuration.GetParameter(i);
        auto* item = new QTreeWidgetItem(m_list);
        item->setIcon(COLUMN_NAME, rowIcon);
        item->setText(COLUMN_NAME,
                      QString::fromStdString(m_configuration.DisplayText(parameter->GetName()))
                          .left(MAX_ROW_TEXT));
        item->setText(COLUMN_VALUE, QString::number(parameter->GetValue()));
        item->setText(COLUMN_REGISTER, QString::number(parameter->GetId()));
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_nameBox, 0, 0);
    layout->addWidget(m_valueBox, 0, 1);
    layout->addWidget(m_setButton, 0, 2);
    layout->addWidget(m_list, 1, 0, 1, 3);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 1);
    resize(240, 240);

    connect(m_list, &QTreeWidget::itemClicked, this, &CParameterDialog::OnListClicked);
    connect(m_setButton, &QPushButton::clicked, this, &CParameterDialog::OnSet);

    m_configuration.AddListener(this);
    m_timer = new QTimer(this);
    m_timer->setObjectName("refreshTimer");
    connect(m_timer, &QTimer::timeout, this, &CParameterDialog::ShowPendingChanges);
    m_timer->start(TICK_MS);
}

CParameterDialog::~CParameterDialog() {
    // Before anything of the dialog goes: a reader-thread report may be on its way in.
    m_configuration.RemoveListener(this);
}

void CParameterDialog::OnParameterChanged(CRegisterValue& value) {
    const std::lock_guard<std::mutex> lock(m_pendingMutex);
    m_pendingChanges.push_back(value);
}

void CParameterDialog::OnListClicked(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    m_selectedRow = m_list->indexOfTopLevelItem(item);
    m_nameBox->setText(item->text(COLUMN_NAME).left(MAX_BOX_TEXT));
    m_valueBox->setText(item->text(COLUMN_VALUE).left(MAX_BOX_TEXT));
}

void CParameterDialog::OnSet() {
    std::int32_t number = 0;
    if (!ScanInt(m_valueBox->text().left(MAX_ROW_TEXT).toStdString(), number)) {
        return;
    }
    const CParameter* parameter = m_configuration.GetParameter(m_selectedRow);
    if (parameter == nullptr) {
        return;
    }
    CRegisterValue value(SOURCE_PARAMETER_DIALOG, parameter->GetId(), static_cast<double>(number));
    m_configuration.Update(value);
}

bool CParameterDialog::TakePending(CRegisterValue& value) {
    const std::lock_guard<std::mutex> lock(m_pendingMutex);
    if (m_pendingChanges.empty()) {
        return false;
    }
    value = m_pendingChanges.front();
    m_pendingChanges.pop_front();
    return true;
}

void CParameterDialog::ShowPendingChanges() {
    CRegisterValue value(0, 0, 0.0);
    while (TakePending(value)) {
        const int row = m_configuration.GetParameterIndex(value.GetRegister());
        QTreeWidgetItem* item = row >= 0 ? m_list->topLevelItem(row) : nullptr;
        if (item != nullptr) {
            item->setText(COLUMN_VALUE,
                          QString::number(m_configuration.GetParameter(row)->GetValue()));
        }
    }
}
