#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/cups/CupsServer.h"

namespace fontprobe {

// A printer whose name equals `name` but for letter case and surrounding
// spaces: the suggestion for a name that matched none exactly.
std::optional<std::u16string> NearMiss(const std::vector<std::u16string>& printers,
                                       const std::u16string& name);

// The queue a command works on: the one named, exactly as CUPS spells it, else
// the user's default. Nothing when there is no such queue or no default; the
// user has then been told why (with a near miss, if there is one).
std::optional<std::string> ChooseQueue(CupsServer& server, const std::optional<std::string>& named);

}  // namespace fontprobe
