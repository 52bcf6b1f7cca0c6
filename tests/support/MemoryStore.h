#pragma once
// An in-memory settings store for the portable core's unit tests.

#include <map>
#include <string>
#include <utility>
#include <variant>

#include "core/SettingsStore.h"

class MemoryStore : public SettingsStore {
public:
    using Value = std::variant<int32_t, std::string>;
    using Key = std::pair<std::string, std::string>;  // section, name

    bool ReadInt(const std::string& section, const std::string& name, int32_t& value) const override {
        auto it = values.find({section, name});
        if (it == values.end() || !std::holds_alternative<int32_t>(it->second)) return false;
        value = std::get<int32_t>(it->second);
        return true;
    }
    bool ReadString(const std::string& section, const std::string& name, std::string& value) const override {
        auto it = values.find({section, name});
        if (it == values.end() || !std::holds_alternative<std::string>(it->second)) return false;
        value = std::get<std::string>(it->second);
        return true;
    }
    bool WriteInt(const std::string& section, const std::string& name, int32_t value) override {
        values[{section, name}] = value;
        return true;
    }
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override {
        values[{section, name}] = value;
        return true;
    }

    std::map<Key, Value> values;
};
