// Texts whose form the platform decides from the user's language.
#pragma once

#include <string>

namespace talvo {

// The localized word for true or false (Vero / Falso on an Italian system).
std::string ParolaBooleana(bool valore);

}  // namespace talvo
