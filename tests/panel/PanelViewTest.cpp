#include "panel/PanelView.h"
#include "BmpWriter.h"
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "PanelXml.h"
#include "QtTestSupport.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "graphics/ButtonImageCache.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QSlider>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

namespace {

constexpr SRgb BACKGROUND{10, 20, 30};
constexpr SRgb GREEN{0, 160, 0};
constexpr SRgb WHITE{255, 255, 255};

const QRgb GREY_BAR = qRgb(200, 200, 200);
const QRgb RED = qRgb(255, 0, 0);
const QRgb BLUE = qRgb(0, 0, 255);
const QRgb BLACK = qRgb(0, 0, 0);
const QRgb FACE = qRgb(180, 180, 180);
const QRgb PANEL = qRgb(250, 250, 250);

// Green with white corners: white is the key colour of a button picture.
std::string CornerBmp() {
    SBmpLayout layout;
    layout.m_width = 10;
    layout.m_height = 6;
    layout.m_pixel = [](int x, int y) {
        return Rgb24((x == 0 || x == 9) && (y == 0 || y == 5) ? WHITE : GREEN);
    };
    return MakeBmp(layout);
}

std::string ManyItems() {
    std::string items;
    for (int i = 0; i < 20; ++i) {
        items += Item("item " + std::to_string(i), i);
    }
    return items;
}

// Page 0 holds one control of each type at known places; page 1 only a label, no picture; page 2
// texts with "&" marks and two combos with many entries.
const std::string s_pages =
    Page(Control("Bar", Position(0, 60, 20, 100) + "<SETTINGS Minimum='-50' Maximum='50'/>" +
                            Input("R1")) +
             Control("Panel", Position(30, 60, 20, 20) + "<IMAGE Path='pic.bmp'/>") +
             Control("Panel", Position(60, 60, 20, 20) + "<IMAGE Path='missing.bmp'/>") +
             Control("SwitchImage", Position(90, 60, 10, 10) + Item("red.bmp", 0) +
                                        Item("green.bmp", 0) + Item("blue.gif", 0) + Input("R2")) +
             Control("Button", Position(120, 60, 60, 30) +
                                   "<IMAGE Path='pic.bmp'/><TEXT Value='OK'/>" + Output("x", 11)) +
             Control("Button",
                     Position(120, 100, 60, 30) + "<IMAGE Path='missing.bmp'/><TEXT Value='X'/>") +
             Control("Check", Position(200, 60, 80, 20) +
                                  "<TEXT Value='Pumpe'/><SETTINGS Nachfrage='true'/>" +
                                  Input("R3") + Output("x", 10)) +
             Control("Combo", Position(200, 90, 80, 20) + Item("a", 1) + Item("b", 2) +
                                  Item("c", 2) + Item("d", 3) + Input("R12 / 10") +
                                  Output("x * 10", 12)) +
             Control("Field", Position(200, 120, 80, 20) + Input("R5") + Output("x", 9)) +
             Control("Slider", Position(110, 170, 30, 100) +
                                   "<SETTINGS Orientation='1' Minimum='0' Maximum='100'/>" +
                                   Input("R7") + Output("x", 8)) +
             Control("TsView", Position(150, 170, 60, 60)) +
             Control("Label", Position(220, 170, 80, 20) + "<TEXT Value='Grüße'/>"),
         "back.bmp") +
    Page(Control("Label", Position(0, 0, 50, 20))) +
    Page(
        Control("Button", Position(0, 0, 80, 30) + "<TEXT Value='&amp;Start'/>" + Output("x", 11)) +
        Control("Check", Position(0, 40, 80, 20) + "<TEXT Value='&amp;Pumpe'/>" + Output("x", 10)) +
        Control("Label", Position(0, 70, 80, 20) + "<TEXT Value='&amp;Info'/>") +
        Control("Combo", Position(100, 0, 80, 10) + ManyItems()) +
        Control("Combo", Position(100, 40, 80, 40) + ManyItems()));

std::string Parameters() {
    std::string parameters;
    for (int id = 1; id <= 12; ++id) {
        parameters += Parameter(id);
    }
    return parameters + Parameter(997, 0, 1);
}

class PanelViewTest : public ::testing::Test {
protected:
    PanelViewTest() : m_fixture(MakeConfigXml(Parameters(), s_pages)) {
        const CTempDir& dir = m_fixture.Dir();
        dir.Write("back.bmp", SolidBmp(110, 50, BACKGROUND));
        dir.Write("pic.bmp", CornerBmp());
        dir.Write("red.bmp", SolidBmp(4, 4, {255, 0, 0}));
        dir.Write("green.bmp", SolidBmp(4, 4, GREEN));
        dir.Write("blue.bmp", SolidBmp(4, 4, {0, 0, 255}));
        ClearButtonImageCache();
        m_fixture.Config().AddListener(&m_recorder);
        m_view = std::make_unique<CPanelView>(m_fixture.Config());
        m_view->resize(320, 280);
        m_view->show();
        m_view->ShowPage(0);
    }
    ~PanelViewTest() override {
        m_view.reset();
        m_fixture.Config().RemoveListener(&m_recorder);
        ClearButtonImageCache();
    }

    void Set(std::int32_t registerNumber, double value) { m_fixture.Set(registerNumber, value); }
    QImage Tick() {
        m_view->RefreshControls();
        return m_view->grab().toImage();
    }
    template <typename T> T* Find(int identifier) {
        return m_view->findChild<T*>(CPanelView::ControlObjectName(identifier));
    }
    Writes Written() { return m_recorder.Take(SOURCE_PANEL); }

    // The bounding box of the pixels of a colour within an area.
    static QRect BoxOf(const QImage& image, QRgb color, const QRect& area) {
        const QImage mask = image.copy(area).createMaskFromColor(color, Qt::MaskOutColor);
        return QRegion(QBitmap::fromImage(mask)).boundingRect().translated(area.topLeft());
    }

    QApplication& m_application = EnsureApplication();
    CFakeMessageService m_messages;
    CConfigFixture m_fixture;
    CRecordingListener m_recorder;
    std::unique_ptr<CPanelView> m_view;
};

// Counts the events of one type that reach the object it watches.
class CEventCounter : public QObject {
public:
    CEventCounter(QEvent::Type type, int& count) : m_type(type), m_count(count) {}
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        m_count += event->type() == m_type ? 1 : 0;
        return false;
    }

private:
    QEvent::Type m_type;
    int& m_count;
};

// Identifiers of the controls of page 0.
constexpr int BUTTON = 2004;
constexpr int CHECK = 2006;
constexpr int COMBO = 2007;
constexpr int FIELD = 2008;
constexpr int SLIDER = 2009;
constexpr int LABEL = 2011;

} // namespace

// Everything is checked on a grab of the view alone, so its pixels are the page's.
TEST_F(PanelViewTest, PagesAndPictureControls) {
    Set(1, 25);
    QImage image = Tick();
    const QRgb windowColour = m_view->palette().window().color().rgb();
    ExpectPixels(image, qRgb(10, 20, 30), {{0, 0}, {109, 49}});
    ExpectPixels(image, windowColour, {{110, 0}, {0, 50}});
    // Bar -50..50 of height 100 at (0, 60), value 25: red rows 25..49, the zero line at 50.
    ExpectPixels(image, BLACK, {{0, 60}, {19, 159}, {10, 60}, {10, 159}, {10, 110}});
    ExpectPixels(image, GREY_BAR, {{10, 84}, {10, 111}});
    ExpectPixels(image, RED, {{1, 85}, {18, 109}});
    // Panels: the picture at their corner on near white, or near white alone.
    ExpectPixels(image, qRgb(255, 255, 255), {{30, 60}, {39, 65}});
    ExpectPixels(image, qRgb(0, 160, 0), {{31, 60}, {38, 64}});
    ExpectPixels(image, PANEL, {{40, 60}, {30, 66}, {49, 79}, {60, 60}, {79, 79}});
    // SwitchImage: the first picture for a value below 0, white beside it.
    ExpectPixels(image, RED, {{90, 60}, {93, 63}});
    ExpectPixels(image, qRgb(255, 255, 255), {{94, 60}, {99, 69}});

    // Buttons: with a picture, normal and held down; without their picture.
    const QRect button(120, 60, 60, 30);
    for (const bool pressed : {false, true}) {
        SCOPED_TRACE(pressed ? "pressed" : "normal");
        const QRgb face = pressed ? BLUE : FACE;
        // Frame on the outermost pixels, face inside, picture at (2, 2) with its key colour
        // (the white corners) turned into the face.
        ExpectPixels(image, BLACK, {{120, 60}, {179, 60}, {120, 89}, {179, 89}, {150, 60}});
        ExpectPixels(image, face, {{121, 61}, {178, 88}, {122, 62}, {131, 67}});
        ExpectPixels(image, qRgb(0, 160, 0), {{123, 62}, {130, 66}});
        // The caption's ink is centred in the button.
        const QRect caption = BoxOf(image, BLACK, button.adjusted(1, 1, -1, -1));
        ASSERT_FALSE(caption.isEmpty());
        EXPECT_NEAR(caption.center().x(), 149.5, 2.0);
        EXPECT_NEAR(caption.center().y(), 74.5, 3.0);
        // Held down: the pressed face and picture.
        QTest::mousePress(Find<QWidget>(BUTTON), Qt::LeftButton);
        image = m_view->grab().toImage();
    }
    EXPECT_TRUE(Written().empty());
    QTest::mouseRelease(Find<QWidget>(BUTTON), Qt::LeftButton);
    EXPECT_EQ(Written(), (Writes{{11, 1.0}}));
    ExpectPixels(m_view->grab().toImage(), FACE, {{121, 61}});

    // Without its picture: face, caption and frame.
    const QRect bare(120, 100, 60, 30);
    ExpectPixels(image, FACE, {{122, 102}, {131, 107}});
    ExpectPixels(image, BLACK, {{120, 100}, {179, 129}});
    const QRect caption = BoxOf(image, BLACK, bare.adjusted(1, 1, -1, -1));
    EXPECT_NEAR(caption.center().x(), 149.5, 2.0);

    Set(1, -10);
    Set(2, 7);
    image = Tick();
    ExpectPixels(image, BLUE, {{1, 111}, {18, 119}});
    ExpectPixels(image, GREY_BAR, {{10, 109}, {10, 120}});
    ExpectPixels(image, BLACK, {{10, 110}});
    ExpectPixels(image, BLUE, {{91, 61}}); // the last picture, "blue.gif" read as "blue.bmp"
    Set(2, 1);
    ExpectPixels(Tick(), qRgb(0, 160, 0), {{91, 61}});

    // A page without a picture shows none of the last one's; the old controls are gone.
    m_view->ShowPage(1);
    ExpectPixels(m_view->grab().toImage(), windowColour, {{60, 10}, {100, 40}});
    EXPECT_NE(Find<QLabel>(2000), nullptr);
    EXPECT_EQ(Find<QWidget>(2001), nullptr);

    // The view leaves the store's listeners before it goes. Otherwise ten views made and
    // destroyed fill the store's ten slots, and a listener added after them hears nothing (or
    // the store calls a dead view).
    m_view.reset();
    for (int i = 0; i < 10; ++i) {
        const CPanelView view(m_fixture.Config());
    }
    CRecordingListener late;
    m_fixture.Config().AddListener(&late);
    Set(997, 0);
    EXPECT_EQ(late.SeenFor(997).size(), 1U);
    m_fixture.Config().RemoveListener(&late);
}

TEST_F(PanelViewTest, ValuesPushedReadBackAndCommanded) {
    Set(3, -5); // any value but 0 checks the box
    Set(12, 20);
    Set(5, 12);
    Set(7, 30);
    Tick();
    auto* check = Find<QCheckBox>(CHECK);
    auto* combo = Find<QComboBox>(COMBO);
    auto* field = Find<QLineEdit>(FIELD);
    auto* slider = Find<QSlider>(SLIDER);
    ASSERT_TRUE(check && combo && field && slider);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(combo->currentIndex(), 2); // the last entry of value 2
    EXPECT_EQ(field->text(), "12");
    EXPECT_EQ(Find<QLabel>(LABEL)->text(), QString::fromUtf8("Grüße"));

    // The vertical slider has its maximum at the top: 30 stands 30 % of the way up. Its position
    // for values out of range is a rule of its own.
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_FALSE(slider->invertedAppearance()); // Qt's maximum-at-the-top layout
    EXPECT_EQ(slider->value(), 30);

    // Typed text stays while the value stays, and goes when the value changes.
    field->setText("abc");
    Set(3, 0);
    Set(12, 90);
    Tick();
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(field->text(), "abc");
    // No entry has 9: the selection stays, and its value differs, so it is written.
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(Written(), (Writes{{12, 20.0}}));
    Set(5, 13);
    Tick();
    EXPECT_EQ(field->text(), "13");

    // What the operator chooses is written on the next tick, through the output formulas.
    combo->setCurrentIndex(3);
    slider->setSliderPosition(20); // dragged to 20 % of the way up
    Tick();
    EXPECT_EQ(Written(), (Writes{{12, 30.0}, {8, 20.0}}));
    Tick();
    EXPECT_TRUE(Written().empty());

    // Commands: the check box asks first; a field's Enter.
    m_messages.SetNextAnswer(EMessageResult::Cancel);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked());
    m_messages.SetNextAnswer(EMessageResult::Ok);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(Written(), (Writes{{10, 1.0}}));
    ASSERT_EQ(m_messages.Messages().size(), 2U);
    EXPECT_EQ(m_messages.Messages()[0].m_text, "Do you really want to change this Value? :Pumpe:");

    // Return or the keypad's Enter posts the command: it arrives once the key has been handled.
    // Other keys send none.
    for (const auto& [text, key, expected] : std::vector<std::tuple<const char*, Qt::Key, Writes>>{
             {"12abc", Qt::Key_Return, {{9, 12.0}}},
             {" -7", Qt::Key_Enter, {{9, -7.0}}},
             {"abc", Qt::Key_Return, {}}}) {
        field->setText(text);
        QTest::keyClicks(field, "5");
        field->setText(text);
        QTest::keyClick(field, key);
        EXPECT_TRUE(Written().empty()) << text;
        QCoreApplication::processEvents();
        EXPECT_EQ(Written(), expected) << text;
    }

    // A page switch drops a field's command posted before it. One in the modal loop of a
    // question voids the check box's answer, and the box lives until its click has unwound.
    field->setText("4");
    QTest::keyClick(field, Qt::Key_Return);
    const QPointer<QCheckBox> asked(check);
    m_messages.SetWhileAsking([&] {
        m_view->ShowPage(1);
        EXPECT_FALSE(asked.isNull()) << "destroyed under its own click";
    });
    QTest::mouseClick(check, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(asked.isNull());
    EXPECT_TRUE(Written().empty());
}

// Scrolling past a slider or combo must not move the machine: the wheel acts only on the one
// the operator has chosen, and otherwise goes on to the page.
TEST_F(PanelViewTest, WheelActsOnlyOnTheFocusedSliderOrCombo) {
    Set(12, 20);
    Set(7, 30);
    Tick();
    int wheelsAtPage = 0;
    CEventCounter counter(QEvent::Wheel, wheelsAtPage);
    m_view->installEventFilter(&counter);
    m_view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));

    const struct {
        int m_identifier;
        int m_register;
    } controls[] = {{SLIDER, 8}, {COMBO, 12}};
    for (const auto& c : controls) {
        auto* control = Find<QWidget>(c.m_identifier);
        const auto value = [control] {
            auto* slider = qobject_cast<QSlider*>(control);
            return slider != nullptr ? slider->value()
                                     : qobject_cast<QComboBox*>(control)->currentIndex();
        };
        for (const bool focused : {false, true}) {
            SCOPED_TRACE(std::to_string(c.m_identifier) + (focused ? " focused" : " unfocused"));
            const int before = value();
            if (focused) {
                control->setFocus();
            }
            const QPointF at(control->width() / 2.0, control->height() / 2.0);
            QWheelEvent wheel(at, control->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            // Delivered as from the window system (sendEvent would not): only such wheel
            // events travel on to the parent.
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            wheelsAtPage = 0;
            QApplication::instance()->notify(control, &wheel);
            Tick();
            const Writes written = Written();
            EXPECT_EQ(value() != before, focused);
            EXPECT_EQ(written.size(), focused ? 1U : 0U);
            EXPECT_TRUE(written.empty() || written[0].first == c.m_register);
            EXPECT_EQ(wheelsAtPage, focused ? 0 : 1);
        }
        control->clearFocus();
    }
}

// Texts with "&" marks look alike on Button, Check and Label: "&" hidden, the letter after it
// underlined, "&&" shown as "&". Yet Alt with that letter presses nothing.
TEST_F(PanelViewTest, AmpersandTextsDrawAlikeAndOnlyTheFocusedControlTakesKeys) {
    m_view->ShowPage(2);
    m_view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    auto* button = Find<QAbstractButton>(2000);
    auto* check = Find<QCheckBox>(2001);
    auto* label = Find<QLabel>(2002);
    ASSERT_TRUE(button && check && label);
    // A shortcut would press the control at once and click it 100 ms later.
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_P}) {
        QTest::keyClick(m_view.get(), key, Qt::AltModifier);
        EXPECT_FALSE(button->isDown() || check->isDown()) << key;
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(Written().empty());
    // Enter on the focused control presses it, once however long the key is held.
    for (QAbstractButton* control : std::initializer_list<QAbstractButton*>{button, check}) {
        control->setFocus();
        for (const bool repeated : {false, true}) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, {}, repeated);
            QApplication::sendEvent(control, &enter);
        }
    }
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(Written(), (Writes{{11, 1.0}, {10, 1.0}}));
    check->setChecked(false);

    // The black ink of each control as the page shows it (inside the Button's frame) against
    // the text drawn by Qt itself with the controls' font.
    const auto ink = [](const QImage& image, const QRect& area) {
        const QRect box = BoxOf(image, BLACK, area);
        return image.copy(box).createMaskFromColor(BLACK, Qt::MaskOutColor);
    };
    for (const QString text : {"&S", "A&&B"}) {
        SCOPED_TRACE(text.toStdString());
        button->setText(text);
        check->setText(text);
        label->setText(text);
        check->clearFocus();
        QImage reference(200, 40, QImage::Format_RGB32);
        reference.fill(Qt::white);
        QPainter painter(&reference);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        QFont font = button->font();
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(reference.rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text);
        painter.end();
        const QImage expected = ink(reference, reference.rect());
        for (QWidget* control : std::initializer_list<QWidget*>{button, check, label}) {
            const QImage image = m_view->grab(control->geometry()).toImage();
            const int frame = control == button ? 1 : 0;
            EXPECT_EQ(ink(image, image.rect().adjusted(frame, frame, -frame, -frame)), expected)
                << control->metaObject()->className();
        }
    }
}

// The box takes the height its font gives it, whatever the configured height; that height and
// 80 pixels are room for the open list, which scrolls beyond.
TEST_F(PanelViewTest, ComboBoxHasItsNaturalHeightAndItsListTheRoomBelow) {
    m_view->ShowPage(2);
    for (const auto& [identifier, height] : {std::pair{2003, 10}, {2004, 40}}) {
        SCOPED_TRACE(height);
        auto* combo = Find<QComboBox>(identifier);
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->height(), QComboBox().sizeHint().height());
        combo->showPopup();
        const int list = combo->view()->window()->height();
        EXPECT_LE(list, height + 80);
        EXPECT_GE(list, height + 60);
        combo->hidePopup();
    }
}
