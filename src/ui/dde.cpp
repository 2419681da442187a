#include "ui/dde.hpp"

namespace ui {

namespace {
// A client-only instance is told of transactions and disconnections; it needs to answer none of them.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}
}  // namespace

DdeInstance InitializeDdeClient() {
    DWORD id = 0;
    if (DdeInitializeA(&id, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return DdeInstance();
    return DdeInstance(id);
}

DdeConversation DdeConnectTo(DWORD instance, HSZ service, HSZ topic) {
    return DdeConversation(DdeConnect(instance, service, topic, nullptr));
}

DdeData CreateDdeText(DWORD instance, const std::string& text) {
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str()));
    return DdeData(
        DdeCreateDataHandle(instance, bytes, static_cast<DWORD>(text.size() + 1), 0, nullptr, CF_TEXT, 0));
}

void DdeClientConv::SetLink(const std::string& service, const std::string& topic) {
    CloseLink();
    service_ = service;
    topic_ = topic;
}

void DdeClientConv::Connect() { conv_ = DdeConnectTo(instance_.Get(), serviceName_.Get(), topicName_.Get()); }

bool DdeClientConv::OpenLink() {
    if (conv_) return true;
    if (!instance_) instance_ = InitializeDdeClient();
    if (!instance_) return false;
    if (!serviceName_) serviceName_ = DdeString::Create(instance_.Get(), service_);
    if (!topicName_) topicName_ = DdeString::Create(instance_.Get(), topic_);
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
    DdeData data = CreateDdeText(instance_.Get(), command);
    if (!data) return false;
    // The transaction takes the handle over; what the system does not free goes with the instance.
    HDDEDATA handle = data.Release();
    return DdeClientTransaction(reinterpret_cast<BYTE*>(handle), 0xFFFFFFFF, conv_.Get(), nullptr, CF_TEXT,
                                XTYP_EXECUTE, TIMEOUT_ASYNC, nullptr) != nullptr;
}

std::optional<std::string> DdeClientConv::RequestData(const std::string& item, DWORD timeoutMs) {
    if (!conv_) return std::nullopt;
    DdeString itemName = DdeString::Create(instance_.Get(), item);
    if (!itemName) return std::nullopt;
    DdeData reply(DdeClientTransaction(nullptr, 0, conv_.Get(), itemName.Get(), CF_TEXT, XTYP_REQUEST,
                                       timeoutMs, nullptr));
    if (!reply) return std::nullopt;
    DWORD size = 0;
    const BYTE* bytes = DdeAccessData(reply.Get(), &size);
    if (!bytes) return std::nullopt;
    std::string data(reinterpret_cast<const char*>(bytes), size);
    DdeUnaccessData(reply.Get());
    return data;
}

}  // namespace ui
