#include "cli/lsp/language_server.h"

#include "cli/lsp/code_actions.h"
#include "cli/lsp/diagnostics.h"
#include "cli/lsp/formatting.h"

namespace lsp {

namespace {

constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestCancelled = -32800;

// Cancellations are small; a large message read ahead is never one.
constexpr size_t kCancelSizeLimit = 4096;

bool offered(const JsonValue& params, std::string_view encoding) {
    const JsonValue* capabilities = params.find("capabilities");
    const JsonValue* general = capabilities != nullptr ? capabilities->find("general") : nullptr;
    const JsonValue* encodings = general != nullptr ? general->find("positionEncodings") : nullptr;
    if (encodings == nullptr || !encodings->is_array()) {
        return false;
    }
    for (const JsonValue& offer : encodings->items()) {
        if (offer.is_string() && offer.as_string() == encoding) {
            return true;
        }
    }
    return false;
}

const char* encoding_name(PositionEncoding encoding) {
    switch (encoding) {
        case PositionEncoding::Utf8:
            return "utf-8";
        case PositionEncoding::Utf16:
            return "utf-16";
        case PositionEncoding::Utf32:
            return "utf-32";
    }
    return "utf-16";
}

std::string uri_of(const JsonValue& params) {
    const JsonValue* document = params.find("textDocument");
    return document != nullptr ? document->string_or("uri", "") : "";
}

}  // namespace

int LanguageServer::run() {
    while (!exitStatus_) {
        std::optional<Frame> frame = reader_.next();
        if (!frame) {
            return shutdown_ ? 0 : 1;
        }
        handle(std::move(*frame));
    }
    return *exitStatus_;
}

void LanguageServer::handle(Frame frame) {
    if (!frame.ok()) {
        send_error(JsonValue(), kParseError, frame.error);
        return;
    }
    JsonParse parsed = parse_json(frame.body);
    frame.body = std::string();  // the parsed value holds the text now
    if (!parsed.ok()) {
        send_error(JsonValue(), kParseError, "not JSON: " + parsed.error);
        return;
    }
    JsonValue& message = parsed.value;
    const JsonValue* id = message.is_object() ? message.find("id") : nullptr;
    const bool goodId = id != nullptr && (id->is_number() || id->is_string());
    const JsonValue* method = message.is_object() ? message.find("method") : nullptr;
    if (!message.is_object() || message.string_or("jsonrpc", "") != "2.0" || method == nullptr ||
        !method->is_string() || (id != nullptr && !goodId)) {
        send_error(goodId ? *id : JsonValue(), kInvalidRequest, "not a JSON-RPC 2.0 request");
        return;
    }
    JsonValue noParams = JsonValue::object();
    JsonValue* params = message.find("params");
    if (params == nullptr) {
        params = &noParams;
    }
    if (id != nullptr) {
        request(*id, method->as_string(), *params);
    } else {
        notification(method->as_string(), *params);
    }
}

bool LanguageServer::cancelled(const JsonValue& id) {
    for (const Frame& pending : reader_.read_ahead()) {
        if (pending.body.size() > kCancelSizeLimit ||
            pending.body.find("$/cancelRequest") == std::string::npos) {
            continue;
        }
        const JsonParse cancel = parse_json(pending.body);
        const JsonValue* params = cancel.ok() ? cancel.value.find("params") : nullptr;
        const JsonValue* cancelledId = params != nullptr ? params->find("id") : nullptr;
        if (cancel.value.string_or("method", "") == "$/cancelRequest" && cancelledId != nullptr &&
            *cancelledId == id) {
            return true;
        }
    }
    return false;
}

void LanguageServer::request(const JsonValue& id, const std::string& method, JsonValue& params) {
    if (cancelled(id)) {
        send_error(id, kRequestCancelled, "cancelled");
        return;
    }
    Reply reply;
    if (!initialized_ && method != "initialize") {
        reply.errorCode = kServerNotInitialized;
        reply.errorMessage = "the server is not initialized";
    } else if (shutdown_) {
        reply.errorCode = kInvalidRequest;
        reply.errorMessage = "the server is shut down";
    } else {
        reply = answer(method, params);
    }
    if (reply.errorCode == 0 && cancelled(id)) {
        send_error(id, kRequestCancelled, "cancelled");
        return;
    }
    if (reply.errorCode != 0) {
        send_error(id, reply.errorCode, reply.errorMessage);
        return;
    }
    send(JsonValue::object()
             .set("jsonrpc", "2.0")
             .set("id", id)
             .set("result", std::move(reply.result)));
}

LanguageServer::Reply LanguageServer::answer(const std::string& method, JsonValue& params) {
    if (method == "initialize") {
        if (initialized_) {
            return failure(kInvalidRequest, "the server is initialized already");
        }
        return initialize(params);
    }
    if (method == "shutdown") {
        shutdown_ = true;
        return {};
    }
    if (method == "textDocument/formatting") {
        return formatting(params, false);
    }
    if (method == "textDocument/rangeFormatting") {
        return formatting(params, true);
    }
    if (method == "textDocument/codeAction") {
        return code_action(params);
    }
    return failure(kMethodNotFound, "no method " + method);
}

LanguageServer::Reply LanguageServer::initialize(const JsonValue& params) {
    encoding_ = offered(params, "utf-8")    ? PositionEncoding::Utf8
                : offered(params, "utf-32") ? PositionEncoding::Utf32
                                            : PositionEncoding::Utf16;
    if (const JsonValue* options = params.find("initializationOptions")) {
        read_settings(*options, settings_);
    }
    initialized_ = true;
    JsonValue kinds = JsonValue::array().push("quickfix").push("refactor.rewrite");
    JsonValue capabilities =
        JsonValue::object()
            .set("positionEncoding", encoding_name(encoding_))
            .set("textDocumentSync", JsonValue::object().set("openClose", true).set("change", 2))
            .set("documentFormattingProvider", true)
            .set("documentRangeFormattingProvider", true)
            .set("codeActionProvider",
                 JsonValue::object().set("codeActionKinds", std::move(kinds)));
    Reply reply;
    reply.result =
        JsonValue::object()
            .set("capabilities", std::move(capabilities))
            .set("serverInfo", JsonValue::object().set("name", "zentab").set("version", version_));
    return reply;
}

LanguageServer::Reply LanguageServer::formatting(const JsonValue& params, bool range) {
    const JsonValue* rangeValue = params.find("range");
    if (!params.is_object() || (range && (rangeValue == nullptr || !rangeValue->is_object()))) {
        return failure(kInvalidParams, "no range");
    }
    const OpenDocument* document = documents_.find(uri_of(params));
    if (document == nullptr) {
        return {};  // null: nothing to format
    }
    const DocumentOutcome outcome = plan(*document, settings_);
    const std::vector<TextEdit> edits =
        range ? range_edits(*document, outcome, settings_,
                            lines_of_range(*document, *rangeValue, encoding_))
              : document_edits(outcome);
    return success(edits_json(*document, edits, encoding_));
}

LanguageServer::Reply LanguageServer::code_action(const JsonValue& params) {
    const std::string uri = uri_of(params);
    const OpenDocument* document = documents_.find(uri);
    if (document == nullptr) {
        return success(JsonValue::array());
    }
    const DocumentOutcome outcome = plan(*document, settings_);
    return success(code_actions(uri, *document, outcome, settings_, params, encoding_));
}

void LanguageServer::notification(const std::string& method, JsonValue& params) {
    if (method == "exit") {
        exitStatus_ = shutdown_ ? 0 : 1;
        return;
    }
    if (!initialized_) {
        return;
    }
    const std::string uri = uri_of(params);
    if (method == "textDocument/didOpen") {
        JsonValue* document = params.find("textDocument");
        JsonValue* text = document != nullptr ? document->find("text") : nullptr;
        if (text == nullptr || !text->is_string()) {
            return;
        }
        documents_.open(uri, document->string_or("languageId", ""),
                        static_cast<int64_t>(document->number_or("version", 0)),
                        text->take_string());
        publish(uri);
    } else if (method == "textDocument/didChange") {
        const JsonValue* document = params.find("textDocument");
        JsonValue* changes = params.find("contentChanges");
        if (document != nullptr && changes != nullptr) {
            documents_.change(uri, static_cast<int64_t>(document->number_or("version", 0)),
                              *changes, encoding_);
            publish(uri);
        }
    } else if (method == "textDocument/didClose") {
        documents_.close(uri);
        send(JsonValue::object()
                 .set("jsonrpc", "2.0")
                 .set("method", "textDocument/publishDiagnostics")
                 .set("params",
                      JsonValue::object().set("uri", uri).set("diagnostics", JsonValue::array())));
    } else if (method == "workspace/didChangeConfiguration") {
        if (const JsonValue* settings = params.find("settings")) {
            read_settings(*settings, settings_);
        }
        // The width model and padding change what is aligned.
        for (const std::string& openUri : documents_.uris()) {
            publish(openUri);
        }
    }
}

void LanguageServer::publish(const std::string& uri) {
    const OpenDocument* document = documents_.find(uri);
    if (document == nullptr) {
        return;
    }
    const DocumentOutcome outcome = plan(*document, settings_);
    JsonValue params = JsonValue::object()
                           .set("uri", uri)
                           .set("version", document->version)
                           .set("diagnostics", diagnostics(*document, outcome, encoding_));
    send(JsonValue::object()
             .set("jsonrpc", "2.0")
             .set("method", "textDocument/publishDiagnostics")
             .set("params", std::move(params)));
}

void LanguageServer::send(JsonValue message) {
    write_message(out_, message.write());
}

void LanguageServer::send_error(const JsonValue& id, int code, const std::string& message) {
    send(JsonValue::object()
             .set("jsonrpc", "2.0")
             .set("id", id)
             .set("error", JsonValue::object().set("code", code).set("message", message)));
}

}  // namespace lsp
