#include <gtest/gtest.h>

#include "document_testing.h"
