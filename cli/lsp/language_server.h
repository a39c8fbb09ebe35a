// The server's loop: messages read in order, each request answered with a
// result or a JSON-RPC error, and every error survived.
#pragma once

#include <optional>
#include <string>

#include "cli/lsp/json_value.h"
#include "cli/lsp/open_documents.h"
#include "cli/lsp/rpc_stream.h"
#include "cli/lsp/server_settings.h"

namespace lsp {

class LanguageServer {
  public:
    LanguageServer(int in, int out, std::string version)
        : reader_(in), out_(out), version_(std::move(version)) {}

    // Serves until exit or the end of the input; the exit status.
    int run();

  private:
    struct Reply {
        JsonValue result;
        int errorCode = 0;
        std::string errorMessage;
    };
    static Reply success(JsonValue result) { return {std::move(result), 0, ""}; }
    static Reply failure(int code, std::string message) {
        return {JsonValue(), code, std::move(message)};
    }

    void handle(Frame frame);
    void request(const JsonValue& id, const std::string& method, JsonValue& params);
    void notification(const std::string& method, JsonValue& params);
    Reply answer(const std::string& method, JsonValue& params);
    bool cancelled(const JsonValue& id);

    Reply initialize(const JsonValue& params);
    Reply formatting(const JsonValue& params, bool range);
    Reply code_action(const JsonValue& params);
    void publish(const std::string& uri);

    void send(JsonValue message);
    void send_error(const JsonValue& id, int code, const std::string& message);

    RpcReader reader_;
    int out_;
    std::string version_;
    OpenDocuments documents_;
    ServerSettings settings_;
    PositionEncoding encoding_ = PositionEncoding::Utf16;
    bool initialized_ = false;
    bool shutdown_ = false;
    std::optional<int> exitStatus_;
};

}  // namespace lsp
