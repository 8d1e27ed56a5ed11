#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ostream>

#include "cli/Cli.h"
#include "platform/Text.h"

bool CliArgs::Parse(const std::vector<std::string>& words, std::string& problem) {
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    // After "--" every word is a name, even one that starts with a dash.
    if (optionsEnded) {
      m_positional.push_back(w);
      continue;
    }
    if (w == "--") {
      optionsEnded = true;
      continue;
    }
    if (w == "--help" || w == "-h") {
      m_help = true;
      continue;
    }
    // "-5" is a (negative) word, not an option.
    const bool looksLikeOption =
        w.size() > 1 && w[0] == '-' && std::isdigit(static_cast<unsigned char>(w[1])) == 0;
    if (looksLikeOption) {
      std::string name = w;
      std::optional<std::string> inlineValue;
      const size_t eq = w.find('=');
      if (w.rfind("--", 0) == 0 && eq != std::string::npos) {
        name = w.substr(0, eq);
        inlineValue = w.substr(eq + 1);
      }
      const bool isValue = std::find(m_valueNames.begin(), m_valueNames.end(), name) != m_valueNames.end();
      const bool isFlag = std::find(m_flagNames.begin(), m_flagNames.end(), name) != m_flagNames.end();
      if (!isValue && !isFlag) {
        problem = "unknown option " + name;
        return false;
      }
      if (isFlag) {
        if (inlineValue) {
          problem = "option " + name + " takes no value";
          return false;
        }
        if (!Has(name)) m_flags.push_back(name);
        continue;
      }
      if (m_values.count(name)) {
        problem = "option " + name + " given twice";
        return false;
      }
      if (inlineValue) {
        m_values[name] = *inlineValue;
      } else {
        if (i + 1 >= words.size()) {
          problem = "option " + name + " needs a value";
          return false;
        }
        m_values[name] = words[++i];
      }
      continue;
    }
    m_positional.push_back(w);
  }
  return true;
}

bool CliArgs::Has(const std::string& name) const {
  return m_values.count(name) != 0 || std::find(m_flags.begin(), m_flags.end(), name) != m_flags.end();
}

std::optional<std::string> CliArgs::Value(const std::string& name) const {
  const auto it = m_values.find(name);
  if (it == m_values.end()) return std::nullopt;
  return it->second;
}

namespace {

// Numbers are written in decimal: an optional minus, digits, and for a
// fraction a point with digits on at least one side.  No blanks, no plus,
// no exponent, no hexadecimal, no "inf" or "nan".
bool Is_Decimal(const std::string& text, bool fraction) {
  size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++digits;
    } else if (fraction && text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits > 0;
}

}  // namespace

bool Parse_Int_Option(const std::string& option, const std::string& text, long lo, long hi, long& value,
                      std::string& problem) {
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (!Is_Decimal(text, false) || *end != '\0' || errno != 0 || v < lo || v > hi) {
    problem = option + " takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
    return false;
  }
  value = v;
  return true;
}

bool Parse_Real_Option(const std::string& option, const std::string& text, double lo, double hi,
                       double& value, std::string& problem) {
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (!Is_Decimal(text, true) || *end != '\0' || errno != 0 || !(v >= lo && v <= hi)) {
    problem = option + " takes a number from " + Text_Format("%g", lo) + " to " + Text_Format("%g", hi);
    return false;
  }
  value = v;
  return true;
}

bool Parse_Size_Option(const std::string& text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const std::string w = text.substr(0, x), h = text.substr(x + 1);
  const auto whole = [](const std::string& s, int& out) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    out = std::atoi(s.c_str());
    return true;
  };
  return whole(w, width) && whole(h, height);
}

int Cli_Usage_Error(CliStreams& io, const CliCommand& command, const std::string& problem) {
  if (!problem.empty()) io.err << "quorlin " << command.name << ": " << problem << '\n';
  io.err << "usage: " << command.usage << '\n';
  return kExitUsage;
}

int Cli_Failure(CliStreams& io, const std::string& text) {
  io.err << text << '\n';
  return kExitFailure;
}

int Cli_Help(CliStreams& io, const CliCommand& command, const char* details) {
  io.out << "usage: " << command.usage << "\n\n" << command.summary << "\n";
  if (details && *details) io.out << "\n" << details;
  return kExitOk;
}
