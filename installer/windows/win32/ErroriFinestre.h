// What the windows do with an error that escapes one of their handlers: no window procedure lets
// it out, and none drops it unseen.
#pragma once

namespace talvo {

struct Sessione;

namespace finestre {

// Called from inside a catch block: writes the error being handled to the installer log, when
// one is open, with the window's name as the step. Never throws.
void RegistraEccezione(const Sessione& sessione, const char* finestra) noexcept;

}  // namespace finestre
}  // namespace talvo
