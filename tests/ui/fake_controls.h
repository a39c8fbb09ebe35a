// Controls for exchange tests: texts by id, and a log of every call.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "winfx/data_exchange.h"

class FakeControls : public winfx::ControlAccess {
  public:
    std::map<int, std::wstring> texts;
    std::vector<std::string> calls;
    std::wstring reportedMessage;

    std::wstring GetText(int id) override {
        calls.push_back("get " + std::to_string(id));
        return texts[id];
    }
    void SetText(int id, const std::wstring& text) override {
        calls.push_back("set " + std::to_string(id));
        texts[id] = text;
    }
    void LimitBytes(int id, size_t maxBytes, UINT codePage) override {
        calls.push_back("limit " + std::to_string(id) + " " + std::to_string(maxBytes) + " " +
                        std::to_string(codePage));
    }
    void ReportInvalid(int id, const std::wstring& message) override {
        calls.push_back("invalid " + std::to_string(id));
        reportedMessage = message;
    }
};
