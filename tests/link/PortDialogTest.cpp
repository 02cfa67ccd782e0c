#include "link/PortDialog.h"
#include "QtTestSupport.h"
#include "link/MemoryRegistry.h"
#include "link/PortName.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>

namespace {

class PortDialogTest : public ::testing::Test {
protected:
    PortDialogTest() {
        EnsureApplication();
        SetPortName(DEFAULT_PORT_NAME);
        m_registry.SetString("Drivers\\Active\\1", "Name", "COM2:");
        m_registry.SetString("Drivers\\Active\\1", "PnpId", "Acme (/dev/ttyS1)");
    }
    ~PortDialogTest() override { SetPortName(DEFAULT_PORT_NAME); }

    QTreeWidget* List(CPortDialog& dialog) { return dialog.findChild<QTreeWidget*>("portList"); }
    // The marked rows: image and "Aktiv" must agree.
    std::vector<int> MarkedRows(CPortDialog& dialog) {
        std::vector<int> marked;
        QTreeWidget* list = List(dialog);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            const bool image =
                item->data(CPortDialog::COLUMN_PORT, CPortDialog::IMAGE_ROLE).toInt() ==
                CPortDialog::IMAGE_CURRENT;
            const bool active = item->text(CPortDialog::COLUMN_ACTIVE) == "Aktiv";
            EXPECT_EQ(image, active) << row;
            EXPECT_TRUE(active || item->text(CPortDialog::COLUMN_ACTIVE).isEmpty()) << row;
            if (active) {
                marked.push_back(row);
            }
        }
        return marked;
    }
    void Activate(CPortDialog& dialog, std::initializer_list<int> rows) {
        List(dialog)->clearSelection();
        for (const int row : rows) {
            List(dialog)->topLevelItem(row)->setSelected(true);
        }
        dialog.findChild<QPushButton*>("activateButton")->click();
    }

    CMemoryRegistry m_registry;
};

} // namespace

// Which rows there are and what they say is the port rows' table; here the dialog shows them
// and takes the one selected.
TEST_F(PortDialogTest, ShowsThePortRowsAndActivatesExactlyOneSelectedRow) {
    CPortDialog dialog(m_registry);
    QTreeWidget* list = List(dialog);
    ASSERT_NE(list, nullptr);
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ(QStringList({header->text(0), header->text(1), header->text(2)}),
              QStringList({"Port", "Name", "Active"}));
    ASSERT_EQ(list->topLevelItemCount(), 20);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "COM2:");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "Acme (/dev/ttyS1)");
    EXPECT_EQ(MarkedRows(dialog), std::vector<int>{7});

    Activate(dialog, {});
    Activate(dialog, {1, 4});
    EXPECT_EQ(GetPortName(), "COM8:") << "none or two selected: nothing";
    Activate(dialog, {2});
    EXPECT_EQ(GetPortName(), "COM3:");
    EXPECT_EQ(MarkedRows(dialog), std::vector<int>{2});
}
