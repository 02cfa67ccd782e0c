#include "paramsets/ParameterDialog.h"
#include "ConfigFixture.h"
#include "QtTestSupport.h"
#include "RecordingListener.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <array>
#include <thread>

namespace {

class ParameterDialogTest : public ::testing::Test {
protected:
    ParameterDialogTest()
        : m_fixture(MakeConfigXml(
              "<P Name='Speed' Id='5' Value='1000000' Maximum='3000000'/><P Name='Gain' Id='12' "
              "Value='3' Minimum='-20'/><P Name='Mode' Id='40' Value='-2'/>")) {
        m_fixture.Config().AddListener(&m_recorder);
    }
    ~ParameterDialogTest() override { m_fixture.Config().RemoveListener(&m_recorder); }

    std::string Cell(int row, int column) const {
        return m_list->topLevelItem(row)->text(column).toStdString();
    }
    void Click(int row) {
        m_dialog->show();
        const QRect rect = m_list->visualItemRect(m_list->topLevelItem(row));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void Set(const QString& text) {
        m_valueBox->setText(text);
        m_setButton->click();
    }

    SApplicationFirst m_application;
    CConfigFixture m_fixture;
    CRecordingListener m_recorder;
    std::unique_ptr<CParameterDialog> m_dialog =
        std::make_unique<CParameterDialog>(m_fixture.Config());
    QTreeWidget* m_list = m_dialog->findChild<QTreeWidget*>("parameterList");
    QLineEdit* m_nameBox = m_dialog->findChild<QLineEdit*>("nameBox");
    QLineEdit* m_valueBox = m_dialog->findChild<QLineEdit*>("valueBox");
    QPushButton* m_setButton = m_dialog->findChild<QPushButton*>("setButton");
};

} // namespace

TEST_F(ParameterDialogTest, ListsSetsAndShowsChangesAtTheNextTick) {
    ASSERT_EQ(m_list->topLevelItemCount(), 3);
    // The header first, then the parameters.
    const QStringList rows[] = {{"Parameter", "Nr", "Wert"},
                                {"Speed", "5", "1000000"}, // digits, however large
                                {"Gain", "12", "3"},
                                {"Mode", "40", "-2"}};
    for (int row = 0; row < 4; ++row) {
        const QTreeWidgetItem* item =
            row == 0 ? m_list->headerItem() : m_list->topLevelItem(row - 1);
        EXPECT_EQ((QStringList{item->text(0), item->text(1), item->text(2)}), rows[row]) << row;
    }
    EXPECT_EQ(m_nameBox->text(), "---");
    EXPECT_TRUE(m_nameBox->isReadOnly());
    EXPECT_EQ(m_setButton->text(), "Set");
    EXPECT_TRUE(m_setButton->isDefault());
    const auto* timer = m_dialog->findChild<QTimer*>("refreshTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());

    // Reading the typed number and clamping it are the parameter-set file's and the store's
    // rules; here Set sends what it read for the clicked row only.
    Set("7");
    EXPECT_TRUE(m_recorder.Seen().empty()) << "no row clicked yet";
    Click(1);
    EXPECT_EQ(m_nameBox->text(), "Gain");
    EXPECT_EQ(m_valueBox->text(), "3");
    Set("abc");
    EXPECT_TRUE(m_recorder.Seen().empty()) << "no number";

    // Stored clamped to 127, and shown so at the next tick.
    Set("300");
    EXPECT_EQ(m_recorder.Take(SOURCE_PARAMETER_DIALOG), (Writes{{12, 127.0}}));
    EXPECT_EQ(Cell(1, 2), "3") << "shown only at the next tick";
    m_dialog->ShowPendingChanges();
    EXPECT_EQ(Cell(1, 2), "127");

    // Several reports from the reader thread between two ticks: the last is shown, in every row.
    std::thread reader([this] {
        for (const auto& [id, value] : Writes{{40, 5}, {5, 2000000}, {40, 6}, {40, 7}}) {
            m_fixture.Set(id, value);
        }
    });
    reader.join();
    EXPECT_EQ(Cell(2, 2), "-2");
    m_dialog->ShowPendingChanges();
    EXPECT_EQ(Cell(2, 2), "7");
    EXPECT_EQ(Cell(0, 2), "2000000");

    // Gone from the listeners with the dialog: its slot is free again, so nine more listeners
    // beside the recorder fill the ten slots and the last of them hears a change.
    m_dialog.reset();
    std::array<CRecordingListener, 9> others;
    for (auto& other : others) {
        m_fixture.Config().AddListener(&other);
    }
    m_fixture.Set(40, 8);
    EXPECT_EQ(others.back().Seen().size(), 1u);
    for (auto& other : others) {
        m_fixture.Config().RemoveListener(&other);
    }
}
