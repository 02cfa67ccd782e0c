#pragma once

#include <QDialog>
#include <QIcon>

class IDeviceRegistry;
class QPushButton;
class QTreeWidget;

// The port list: COM1: to COM20: with their descriptions from the device registry, the
// current port marked. "Activate" makes the one selected row the program's port name; the
// open link keeps its port until the next "Connect". The dialog has no result of its own.
class CPortDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int COLUMN_PORT = 0;
    static constexpr int COLUMN_NAME = 1;
    static constexpr int COLUMN_ACTIVE = 2;
    // Item data of column 0: the row's image, IMAGE_CURRENT on the current port.
    static constexpr int IMAGE_ROLE = Qt::UserRole;
    static constexpr int IMAGE_OTHER = 0;
    static constexpr int IMAGE_CURRENT = 1;

    // The registry is read on every fill; it must outlive the dialog.
    explicit CPortDialog(const IDeviceRegistry& registry, QWidget* parent = nullptr);

public slots:
    void OnActivate();

private:
    void FillPortList();

    const IDeviceRegistry& m_registry;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_activateButton = nullptr;
    QIcon m_images[2];
};
