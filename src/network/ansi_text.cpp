#include "ansi_text.h"

namespace quorl {

CodePage ProcessCodePage() {
    static const CodePage decided = SystemCodePage();
    return decided;
}

std::string ToAnsi(std::u16string_view text) {
    return ToAnsi(text, ProcessCodePage());
}

std::u16string FromAnsi(std::string_view bytes) {
    return FromAnsi(bytes, ProcessCodePage());
}

}  // namespace quorl
