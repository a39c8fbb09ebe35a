// The main dialog's data exchange: INPUT and OUTPUT with their fields.
#pragma once

#include <string>

#include "winfx/data_exchange.h"

// Save stops after INPUT, without reading OUTPUT, when INPUT is too long.
bool ExchangeMainFields(winfx::DataExchange& exchange, std::string& input, std::string& output);
