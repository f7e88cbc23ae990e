#pragma once

#include <QString>

#include <cstdint>

// A number with its thousands grouped by commas: "999,999", "-1,000".
QString GroupThousands(int64_t number);
