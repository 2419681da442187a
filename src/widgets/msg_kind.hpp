// The two kinds of message box: a notice with OK, and a question with Yes and No.
#pragma once

namespace obsc32 {

enum class MsgKind { OK = 0, YesNo = 1 };

}  // namespace obsc32
