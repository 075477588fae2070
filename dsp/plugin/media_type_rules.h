#pragma once
// Which stream formats the plug-in accepts. Input and output always carry the same PCM format,
// so a candidate is checked on its own and then against the other stream's type when that is set.
#include "com_support/dmo.h"

namespace tevaro::plugin {

// candidate: the type offered for one stream; other: the other stream's type, or nullptr when
// unset. Media types come from the host and are untrusted: every size is checked before use.
bool acceptsMediaType(const DMO_MEDIA_TYPE& candidate, const DMO_MEDIA_TYPE* other);

}  // namespace tevaro::plugin
