// The program's run.
#include "app/MessageLoop.h"

#include <cstdlib>
#include <exception>

#include "platform/Application.h"

int RunMessageLoop(const std::function<void()>& StartUp) {
    try {
        StartUp();
        return TApplication::exec();
    } catch (const std::exception& E) {
        TApplication::ShowException(E);
    } catch (...) {
        TApplication::ShowUnknownException();
    }
    return EXIT_FAILURE;
}
