#pragma once
// Registry scripts: the text of a REGISTRY resource that describes the keys and values a server
// writes on registration and removes on unregistration. Portable parser; the Windows side applies
// the result (registry_script_apply.h).
//
//   HKCR                                   roots: HKCR, HKLM, HKCU (or their long names)
//   {
//       NoRemove CLSID                     NoRemove: kept on unregistration
//       {
//           ForceRemove {clsid} = s 'Name' ForceRemove: replaced whole on registration
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Values: `= s 'text'` (REG_SZ) or `= d 'number'` (REG_DWORD); `val Name = ...` names a value,
// otherwise it is the key's default value. `%NAME%` is replaced from the variables; `%%` is a
// literal percent sign; inside quotes `''` is a literal quote.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace com_support {

struct ScriptValue {
    enum class Kind : std::uint8_t { string, dword };
    std::string name;  // empty: the key's default value
    Kind kind = Kind::string;
    std::string text;
    std::uint32_t number = 0;
};

struct ScriptKey {
    std::string name;
    bool noRemove = false;
    bool forceRemove = false;
    std::vector<ScriptValue> values;
    std::vector<ScriptKey> children;
};

struct RegistryScript {
    // Roots carry their canonical short name: "HKCR", "HKLM" or "HKCU".
    std::vector<ScriptKey> roots;
};

using ScriptVariables = std::vector<std::pair<std::string, std::string>>;

// UTF-8 text in, a tree out; false with a message naming the line on any malformed input.
bool parseRegistryScript(std::string_view text, const ScriptVariables& variables, RegistryScript& script,
                         std::string& error);

}  // namespace com_support
