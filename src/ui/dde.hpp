// DDEML client conversations: move-only owners of the instance, string, conversation and data handles, and
// the conversation component a window keeps for talking to a server. A conversation is wide (UTF-16) or
// narrow (the system's code page, which is what an older server reads).
#pragma once
#include <windows.h>
#include <ddeml.h>

#include <optional>
#include <string>
#include <utility>

#include "ui/component.hpp"
#include "ui/handles.hpp"

namespace ui {

struct DdeInstanceTraits : NullIsEmpty<DWORD> {
    static void Close(DWORD id) { DdeUninitialize(id); }
};
struct DdeConversationTraits : NullIsEmpty<HCONV> {
    static void Close(HCONV conv) { DdeDisconnect(conv); }
};
struct DdeDataTraits : NullIsEmpty<HDDEDATA> {
    static void Close(HDDEDATA data) { DdeFreeDataHandle(data); }
};
using DdeInstance = UniqueHandle<DWORD, DdeInstanceTraits>;
using DdeConversation = UniqueHandle<HCONV, DdeConversationTraits>;
using DdeData = UniqueHandle<HDDEDATA, DdeDataTraits>;

// A client-only instance of the calling thread, wide or narrow; empty when DDEML refuses one.
[[nodiscard]] DdeInstance InitializeDdeClient(bool wide);
// Empty when no server answers.
[[nodiscard]] DdeConversation DdeConnectTo(DWORD instance, HSZ service, HSZ topic);
// The text and a terminating zero, in UTF-16 or in the system's code page; empty when it cannot be made.
[[nodiscard]] DdeData CreateDdeText(DWORD instance, const std::string& text, bool wide);

// A string handle of a wide or a narrow instance; freeing it needs its instance, so it keeps that too.
class DdeString {
public:
    DdeString() = default;
    [[nodiscard]] static DdeString Create(DWORD instance, const std::string& text, bool wide);
    DdeString(const DdeString&) = delete;
    DdeString& operator=(const DdeString&) = delete;
    DdeString(DdeString&& o) noexcept : instance_(o.instance_), hsz_(std::exchange(o.hsz_, nullptr)) {}
    DdeString& operator=(DdeString&& o) noexcept {
        if (this != &o) {
            Reset();
            instance_ = o.instance_;
            hsz_ = std::exchange(o.hsz_, nullptr);
        }
        return *this;
    }
    ~DdeString() { Reset(); }

    HSZ Get() const { return hsz_; }
    explicit operator bool() const { return hsz_ != nullptr; }
    void Reset() {
        if (hsz_) DdeFreeStringHandle(instance_, std::exchange(hsz_, nullptr));
    }

private:
    DdeString(DWORD instance, HSZ hsz) : instance_(instance), hsz_(hsz) {}
    DWORD instance_ = 0;
    HSZ hsz_ = nullptr;
};

// A conversation with one server. It connects only when asked (OpenLink), and CloseLink frees the
// conversation and its string handles; the DDEML instance lives as long as the component, or until the
// conversation is asked to be wide or narrow instead (it starts narrow).
class DdeClientConv : public Component {
public:
    using Component::Component;

    const std::string& DdeService() const { return service_; }
    const std::string& DdeTopic() const { return topic_; }
    // Names the server; an open conversation is closed first.
    void SetLink(const std::string& service, const std::string& topic);
    // Whether the next conversation is wide; an open one is closed first.
    void SetWide(bool wide);
    // Connects. A server that does not answer is started once, with its service and topic as the command
    // line, and asked again. False when there is still no conversation.
    [[nodiscard]] bool OpenLink();
    void CloseLink();
    bool Connected() const { return static_cast<bool>(conv_); }
    HCONV Conv() const { return conv_.Get(); }

    // Hands the command (and a zero) to the server as an asynchronous execute: true means accepted for
    // delivery, not carried out. False without a conversation, or when it is refused.
    [[nodiscard]] bool ExecuteMacro(const std::string& command);
    // Hands the command to the server and waits up to the timeout for its answer. Refused only when the
    // server says it did not carry it out; a server still busy at the timeout may yet do so.
    enum class Outcome { Done, Busy, Refused, Failed };
    [[nodiscard]] Outcome ExecuteMacroWaiting(const std::string& command, DWORD timeoutMs);
    // The data the server gives for the item as narrow text (CF_TEXT), in the program's own code page;
    // nothing when there is no conversation or no answer within the timeout.
    std::optional<std::string> RequestData(const std::string& item, DWORD timeoutMs);

private:
    void Connect();

    // Declared first: it goes last, after every handle made from it.
    DdeInstance instance_;
    bool wide_ = false;
    std::string service_, topic_;
    DdeString serviceName_, topicName_;
    DdeConversation conv_;
};

}  // namespace ui
