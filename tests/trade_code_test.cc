// Creature codes: every record comes back byte for byte, however the code is
// wrapped, and every changed, cut or foreign code is refused saying why.

#include "trade_code.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "test_util.h"

namespace {

using Read = std::pair<CodeFault, std::string>;  // the fault, the record

Read read(const std::string& text) {
  const DecodedCode decoded = decodeCode(text);
  return {decoded.fault, decoded.record};
}

// A code built by hand: `signedPart`, then its right check.
std::string signedCode(const std::string& signedPart) {
  return signedPart + "." + codeCheck(signedPart);
}

TEST(TradeCode, RecordsComeBackWhole) {
  // Lengths 0 to 3 cover every ending of the base64 text, 256 every byte.
  for (const std::size_t size : {0, 1, 2, 3, 256, 372}) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7);
    SCOPED_TRACE(bytes.size());
    const std::optional<std::string> code = encodeCode(bytes);
    ASSERT_TRUE(code);
    EXPECT_LE(code->size(), kMaxCodeLength);
    EXPECT_EQ(std::string::npos,
              code->find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLM"
                                      "NOPQRSTUVWXYZ0123456789-_."));
    const Read whole{CodeFault::kNone, bytes};
    EXPECT_EQ(whole, read(*code));
    EXPECT_EQ(whole, read(" " + *code + "\n"));          // as read from a file
    EXPECT_EQ(whole, read(wrapped(*code, 76, "\r\n")));  // as mailed
    EXPECT_EQ(whole, read(wrapped(*code, 1, " \t")));
  }
  EXPECT_FALSE(encodeCode(std::string(373, 'x')));
}

TEST(TradeCode, ChangedCutAndForeignCodesAreRefusedSayingWhy) {
  const std::string code = *encodeCode("Name: Pip\nAge: 3\n");
  const std::size_t version = 4, prefix = 6, separator = code.rfind('.');
  for (std::size_t at = 0; at < code.size(); ++at) {
    for (const char other : {'A', 'b', '9', '.', '_'}) {
      if (code[at] == other) continue;
      std::string changed = code;
      changed[at] = other;
      CodeFault why = at == separator ? CodeFault::kCut : CodeFault::kMistyped;
      if (at < prefix) {
        why = at == version && other == '9' ? CodeFault::kNewerVersion
                                            : CodeFault::kNotACode;
      }
      EXPECT_EQ(why, decodeCode(changed).fault) << changed;
    }
    EXPECT_EQ(at == 0 ? CodeFault::kNotACode : CodeFault::kCut,
              decodeCode(code.substr(0, at)).fault)
        << at;
    EXPECT_EQ(CodeFault::kNotACode, decodeCode(code.substr(at + 1)).fault)
        << at;
  }
  const std::string record = code.substr(prefix);
  const std::pair<std::string, CodeFault> others[] = {
      {"mirl1 " + code.substr(5), CodeFault::kNone},  // a blank is no harm
      {signedCode("mirl1." + std::string(496, 'A')), CodeFault::kNone},
      {signedCode("mirl1." + std::string(500, 'A')), CodeFault::kTooLong},
      {"mirl2." + record, CodeFault::kNewerVersion},
      {"mirl01." + record, CodeFault::kNotACode},
      {"", CodeFault::kNotACode},
      {std::string(kMaxCodeLength + 1, 'A'), CodeFault::kNotACode},
      {signedCode("mirl1.T"), CodeFault::kNotACode},   // a lone character
      {signedCode("mirl1.Th"), CodeFault::kNotACode},  // stray bits set
      {code + "0", CodeFault::kMistyped},
      {"mirl1.Tg.00000000", CodeFault::kMistyped},
      {"mirl1." + code.substr(separator), CodeFault::kMistyped},
  };
  for (const auto& [text, fault] : others) {
    EXPECT_EQ(fault, decodeCode(text).fault) << text;
  }
}

}  // namespace
