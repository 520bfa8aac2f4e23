#pragma once
#include <QString>
#include <exception>

namespace platform {

// Ends the program at once after an error it has reported: every window closes, no unload
// handler runs, no further event is handled, and the exit status says the run failed.
// Never returns.
[[noreturn]] void End();

// The last form was unloaded: leave the event loop.
void quitAfterLastForm();

// Tests intercept the end of the program: End throws ProgramEnded, which the test catches,
// so that the code after End never runs; the end after the last form is only recorded.
struct ProgramEnded : std::exception {
    const char* what() const noexcept override { return "program ended"; }
};
void interceptProgramEnd(bool on);
bool programHasEnded();

}  // namespace platform
