// Tests of the message boxes and the exception display, through the real widgets offscreen.
#include "platform/MessageBox.h"
#include "platform/Application.h"
#include "richtext/ConvertError.h"

#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

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
