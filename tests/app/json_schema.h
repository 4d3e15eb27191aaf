#pragma once
#include <QJsonObject>
#include <QJsonValue>
#include <string>
#include <vector>

// Checks a JSON value against a JSON Schema, for the keywords our schemas use:
// type, enum, required, properties, additionalProperties: false, items,
// minimum, anyOf and "$ref" into "#/$defs/". Returns what does not match,
// one line each, named by its place ("/files/0/bytes: ...").
std::vector<std::string> schemaFaults(const QJsonValue& value, const QJsonObject& schema);
