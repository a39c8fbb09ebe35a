#include "ui/main_exchange.h"

#include "ui/resource.h"
#include "ui/dialog_texts.h"

bool ExchangeMainFields(winfx::DataExchange& exchange, std::string& input, std::string& output) {
    exchange.Text(IDC_INPUT, input);
    if (!exchange.MaxBytes(IDC_INPUT, input, kInputBoxLimit)) {
        return false;
    }
    exchange.Text(IDC_OUTPUT, output);
    return true;
}
