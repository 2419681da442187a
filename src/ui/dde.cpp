#include "ui/dde.hpp"

#include "ui/wide.hpp"

namespace ui {

namespace {
// A client-only instance is told of transactions and disconnections; it needs to answer none of them.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}
}  // namespace

DdeInstance InitializeDdeClient(bool wide) {
    DWORD id = 0;
    const UINT status = wide ? DdeInitializeW(&id, ClientCallback, APPCMD_CLIENTONLY, 0)
                             : DdeInitializeA(&id, ClientCallback, APPCMD_CLIENTONLY, 0);
    return status == DMLERR_NO_ERROR ? DdeInstance(id) : DdeInstance();
}

DdeString DdeString::Create(DWORD instance, const std::string& text, bool wide) {
    if (wide) return DdeString(instance, DdeCreateStringHandleW(instance, Wide(text).c_str(), CP_WINUNICODE));
    return DdeString(instance,
                     DdeCreateStringHandleA(instance, SystemCodePageText(text).c_str(), CP_WINANSI));
}

DdeConversation DdeConnectTo(DWORD instance, HSZ service, HSZ topic) {
    return DdeConversation(DdeConnect(instance, service, topic, nullptr));
}

DdeData CreateDdeText(DWORD instance, const std::string& text, bool wide) {
    if (wide) {
        std::wstring chars = Wide(text);
        if (chars.empty() != text.empty()) return DdeData();
        return DdeData(DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(chars.data()),
                                           static_cast<DWORD>((chars.size() + 1) * sizeof(wchar_t)), 0,
                                           nullptr, CF_UNICODETEXT, 0));
    }
    std::string bytes = SystemCodePageText(text);
    if (bytes.empty() != text.empty()) return DdeData();
    return DdeData(DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size() + 1), 0, nullptr, CF_TEXT, 0));
}

void DdeClientConv::SetLink(const std::string& service, const std::string& topic) {
    CloseLink();
    service_ = service;
    topic_ = topic;
}

void DdeClientConv::SetWide(bool wide) {
    if (wide == wide_) return;
    CloseLink();
    // An instance is wide or narrow for good.
    instance_.Reset();
    wide_ = wide;
}

void DdeClientConv::Connect() { conv_ = DdeConnectTo(instance_.Get(), serviceName_.Get(), topicName_.Get()); }

bool DdeClientConv::OpenLink() {
    if (conv_) return true;
    if (!instance_) instance_ = InitializeDdeClient(wide_);
    if (!instance_) return false;
    if (!serviceName_) serviceName_ = DdeString::Create(instance_.Get(), service_, wide_);
    if (!topicName_) topicName_ = DdeString::Create(instance_.Get(), topic_, wide_);
    if (!serviceName_ || !topicName_) return false;
    Connect();
    if (!conv_ && WinExec((service_ + " " + topic_).c_str(), SW_SHOWMINNOACTIVE) >= 32) Connect();
    return static_cast<bool>(conv_);
}

void DdeClientConv::CloseLink() {
    conv_.Reset();
    topicName_.Reset();
    serviceName_.Reset();
}

bool DdeClientConv::ExecuteMacro(const std::string& command) {
    if (!conv_) return false;
    DdeData data = CreateDdeText(instance_.Get(), command, wide_);
    if (!data) return false;
    // The transaction takes the handle over; what the system does not free goes with the instance.
    HDDEDATA handle = data.Release();
    return DdeClientTransaction(reinterpret_cast<BYTE*>(handle), 0xFFFFFFFF, conv_.Get(), nullptr,
                                wide_ ? CF_UNICODETEXT : CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC,
                                nullptr) != nullptr;
}

DdeClientConv::Outcome DdeClientConv::ExecuteMacroWaiting(const std::string& command, DWORD timeoutMs) {
    if (!conv_) return Outcome::Failed;
    DdeData data = CreateDdeText(instance_.Get(), command, wide_);
    if (!data) return Outcome::Failed;
    HDDEDATA handle = data.Release();
    if (DdeClientTransaction(reinterpret_cast<BYTE*>(handle), 0xFFFFFFFF, conv_.Get(), nullptr,
                             wide_ ? CF_UNICODETEXT : CF_TEXT, XTYP_EXECUTE, timeoutMs, nullptr))
        return Outcome::Done;
    switch (DdeGetLastError(instance_.Get())) {
        case DMLERR_NOTPROCESSED: return Outcome::Refused;
        case DMLERR_EXECACKTIMEOUT: return Outcome::Busy;
        default: return Outcome::Failed;
    }
}

std::optional<std::string> DdeClientConv::RequestData(const std::string& item, DWORD timeoutMs) {
    if (!conv_) return std::nullopt;
    DdeString itemName = DdeString::Create(instance_.Get(), item, wide_);
    if (!itemName) return std::nullopt;
    DdeData reply(DdeClientTransaction(nullptr, 0, conv_.Get(), itemName.Get(), CF_TEXT, XTYP_REQUEST,
                                       timeoutMs, nullptr));
    if (!reply) return std::nullopt;
    DWORD size = 0;
    const BYTE* bytes = DdeAccessData(reply.Get(), &size);
    if (!bytes) return std::nullopt;
    std::string data(reinterpret_cast<const char*>(bytes), size);
    DdeUnaccessData(reply.Get());
    return FromSystemCodePage(data);
}

}  // namespace ui
