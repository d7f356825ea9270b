#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fontprobe {

// The PJL job that asks a printer for its configuration (@PJL INFO CONFIG),
// which names the languages it has installed.
std::string PjlConfigQuery();

// Whether `received` holds the whole answer: its first line and the form
// feed that ends it.
bool PjlAnswerEnded(std::string_view received);

// The languages the answer lists under LANGUAGES, upper-cased; nothing when
// it is no whole answer to INFO CONFIG or lists no languages.
std::optional<std::vector<std::string>> LanguagesInConfig(std::string_view answer);

}  // namespace fontprobe
