// A readable, stable text picture of a whole configuration store, used by the
// golden tests and the authoring tools.
//
// One field per line, in declaration order:
//   m_sName = "text"
//   m_bName = true | false
//   m_saName: <count>
//     [i] = "text"
// Texts stand in double quotes with C escapes: \\ \" \t \r \n, and \xNN for
// every other byte below 0x20 and from 0x7F up, so the dump is plain ASCII
// and shows every byte. m_szLinkPath is shown up to its first zero byte.
// The first line names the format: "# CBonusConfig dump 1".
#pragma once

#include <string>
#include <string_view>

#include "config/BonusConfig.h"

std::string DumpConfig(const CBonusConfig& config);

// One text as the dump writes it, quotes included.
std::string QuoteDumpText(std::string_view text);
