#include "PortDialog.h"

#include "PortDescription.h"
#include "PortName.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int MAX_DESCRIPTION = 99;

// A plug for every port, with a green dot on the current one.
QIcon PortImage(bool current) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::lightGray);
    painter.drawRect(2, 4, 11, 7);
    if (current) {
        painter.setBrush(QColor(0, 170, 0));
        painter.drawEllipse(8, 8, 7, 7);
    }
    return QIcon(pixmap);
}

} // namespace

CPortDialog::CPortDialog(const IDeviceRegistry& registry, QWidget* parent)
    : QDialog(parent), m_registry(registry) {
    setObjectName("portDialog");
    m_images[IMAGE_OTHER] = PortImage(false);
    m_images[IMAGE_CURRENT] = PortImage(true);

    m_activateButton = new QPushButton("Activate", this);
    m_activateButton->setObjectName("activateButton");
    m_activateButton->setAutoDefault(false);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("portList");
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({"Port", "Name", "Active"});
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(COLUMN_PORT, 60);
    m_list->setColumnWidth(COLUMN_NAME, 170);
    m_list->setColumnWidth(COLUMN_ACTIVE, 40);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_activateButton, 0, Qt::AlignLeft);
    layout->addWidget(m_list);
    resize(290, 260);

    connect(m_activateButton, &QPushButton::clicked, this, &CPortDialog::OnActivate);
    FillPortList();
}

void CPortDialog::FillPortList() {
    for (const SPortRow& row : BuildPortRows(m_registry, GetPortName())) {
        auto* item = new QTreeWidgetItem(m_list);
        const int image = row.m_current ? IMAGE_CURRENT : IMAGE_OTHER;
        item->setIcon(COLUMN_PORT, m_images[image]);
        item->setData(COLUMN_PORT, IMAGE_ROLE, image);
        item->setText(COLUMN_PORT, QString::fromStdString(row.m_portName));
        item->setText(COLUMN_NAME, QString::fromStdString(row.m_description).left(MAX_DESCRIPTION));
        item->setText(COLUMN_ACTIVE, row.m_current ? "Aktiv" : "");
    }
}

void CPortDialog::OnActivate() {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.size() != 1) {
        return;
    }
    SetPortName(PortNameOfRow(m_list->indexOfTopLevelItem(selected.front())));
    m_list->clear();
    FillPortList();
}
