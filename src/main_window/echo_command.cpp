#include "echo_command.h"

#include <algorithm>

#include "network/decimal_text.h"
#include "network/echo_reply.h"
#include "network/echo_status_text.h"
#include "network/name_lookup.h"
#include "network/send_echo.h"
#include "network/sockets_setup.h"

namespace quorl {
namespace {

void ClearResultBoxes(FormRuntime& form) {
    for (int index = 0; index < kResultBoxCount; ++index) {
        form.SetText(Text4(index), u"");
    }
    for (int index = 0; index < kResultBoxCount; ++index) {
        form.Repaint(Text4(index));
    }
}

// The echoed text: the characters of Data before its first NUL, or all of
// Data when it holds none.
std::u16string EchoedText(const EchoReply& reply) {
    const auto end = std::find(reply.Data.begin(), reply.Data.end(), u'\0');
    return std::u16string(reply.Data.begin(), end);
}

void ShowReply(FormRuntime& form, std::int32_t status, const EchoReply& reply) {
    form.SetText(Text4(0), EchoStatusText(status));
    form.SetText(Text4(1), DecimalText(reply.Address));
    form.SetText(Text4(2), DecimalText(reply.RoundTripTime) + u" ms");
    form.SetText(Text4(3), DecimalText(reply.DataSize) + u" bytes");
    if (reply.Data[0] != u'\0') {
        form.SetText(Text4(4), EchoedText(reply));
    }
    form.SetText(Text4(5), DecimalText(reply.DataPointer));
}

}  // namespace

void EchoCommand(FormRuntime& form, Platform& platform) {
    ClearResultBoxes(form);

    if (!SocketsInitialize(platform)) {
        form.ShowMessageBox(
            u"Windows Sockets for 32 bit Windows "
            u"is not successfully responding.",
            MessageIcon::None);
        return;
    }

    EchoReply reply;
    std::int32_t status = 0;
    const ControlId hostNameBox{ControlName::Text1};
    const ControlId addressBox{ControlName::Text2};
    const std::u16string hostName = form.Text(hostNameBox);
    if (!hostName.empty()) {
        form.SetText(addressBox, u"");
        form.Repaint(addressBox);
        const std::u16string address = GetIPFromHostName(platform, hostName);
        form.SetText(addressBox, address);
        status = SendEcho(platform, address, form.Text({ControlName::Text3}), reply);
    } else {
        status = SendEcho(platform, form.Text(addressBox), form.Text({ControlName::Text3}), reply);
        form.SetText(hostNameBox, GetHostNameFromIP(platform, form, form.Text(addressBox)));
    }

    ShowReply(form, status, reply);
    SocketsCleanup(platform, form);
}

}  // namespace quorl
