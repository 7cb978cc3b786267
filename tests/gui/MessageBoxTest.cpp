// Tests of the message boxes and the exception display, through the real widgets offscreen.
#include "platform/MessageBox.h"
#include "platform/Application.h"
#include "richtext/ConvertError.h"

#include <QAbstractButton>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

// A style that puts icons on dialog buttons, as the desktop themes of X11 do (the offscreen one does not).
class TButtonIconStyle : public QProxyStyle {
public:
    TButtonIconStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override {
        if (Hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
};

// An object whose event handler runs Fail.
class TFailingObject : public QObject {
public:
    explicit TFailingObject(std::function<void()> Fail) : Fail(std::move(Fail)) {}
    bool event(QEvent*) override {
        Fail();
        return true;
    }
    std::function<void()> Fail;
};

} // namespace

TEST(message_box_test, has_the_dialog_frame_and_a_plain_ok_button) {
    QApplication::setStyle(new TButtonIconStyle);
    bool Seen = false;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        Seen = true;
        EXPECT_EQ(Box->windowTitle(), u"Kavrinto"_s);
        EXPECT_EQ(Box->text(), u"Text"_s);
        const Qt::WindowFlags Flags = Box->windowFlags();
        EXPECT_FALSE(Flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(Flags & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(Flags & Qt::WindowCloseButtonHint);
        // The window type that makes openbox leave the minimise and maximise boxes off.
        EXPECT_TRUE(Box->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar));
        const QList<QAbstractButton*> Buttons = Box->buttons();
        ASSERT_EQ(Buttons.size(), 1);
        EXPECT_EQ(Buttons[0]->text(), u"OK"_s);
        EXPECT_TRUE(Buttons[0]->icon().isNull());
        QTest::keyClick(Box, Qt::Key_Return);
    });
    // Should the box not close, the guard ends it so that the test fails instead of hanging.
    QTimer::singleShot(5000, [] {
        if (QWidget* Modal = QApplication::activeModalWidget())
            Modal->close();
    });
    MessageBox(u"Text"_s, u"Kavrinto"_s, QMessageBox::Warning);
    EXPECT_TRUE(Seen);
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
}

// Whatever leaves an event handler is shown in German, with the library's text after it where that
// helps; the program goes on.
TEST(exception_display_test, shows_every_exception_in_german) {
    struct TCase {
        const char* Name;
        std::function<void()> Throw;
        QString Expected;
    };
    const std::vector<TCase> Cases{
        {"conversion error", [] { throw EConvertError("'0xzz' ist kein gültiger Integerwert"); },
         u"'0xzz' ist kein gültiger Integerwert"_s},
        {"out of memory", [] { throw std::bad_alloc(); },
         u"Der freie Arbeitsspeicher reicht für diesen Schritt nicht aus."_s},
        {"array too long", [] { throw std::bad_array_new_length(); },
         u"Der freie Arbeitsspeicher reicht für diesen Schritt nicht aus."_s},
        {"system error", [] { throw std::system_error(EACCES, std::generic_category(), "open"); },
         u"Ein Aufruf des Betriebssystems ist gescheitert: keine Berechtigung."_s},
        {"library error", [] { throw std::length_error("basic_string::_M_create"); },
         u"Ein unerwarteter Fehler ist aufgetreten.\n\nTechnische Angabe: basic_string::_M_create"_s},
        {"library error without text", [] { throw std::runtime_error(""); },
         u"Ein unerwarteter Fehler ist aufgetreten."_s},
        {"no exception class", [] { throw 42; }, u"Ein unbekannter Fehler ist aufgetreten."_s},
    };
    std::vector<TMessage> Messages;
    const TMessageHook Previous =
        SetMessageHook([&](const TMessage& Message) { Messages.push_back(Message); });
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Messages.clear();
        TFailingObject Failing(Case.Throw);
        QEvent Event(QEvent::User);
        EXPECT_FALSE(QApplication::sendEvent(&Failing, &Event));
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Text.toStdString(), Case.Expected.toStdString());
        EXPECT_EQ(Messages[0].Caption, u"Kavrinto"_s);
        EXPECT_EQ(Messages[0].Icon, QMessageBox::Critical);
    }
    SetMessageHook(Previous);
}
