#include "json_schema.h"

#include <QJsonArray>

namespace {

bool hasType(const QJsonValue& value, const QString& type) {
    if (type == "object") return value.isObject();
    if (type == "array") return value.isArray();
    if (type == "string") return value.isString();
    if (type == "boolean") return value.isBool();
    if (type == "null") return value.isNull();
    if (type == "number") return value.isDouble();
    if (type == "integer") return value.isDouble() && value.toDouble() == static_cast<double>(value.toInteger());
    return false;
}

class Checker {
public:
    explicit Checker(const QJsonObject& root) : root_(root) {}

    void check(const QJsonValue& value, const QJsonObject& schema, const std::string& place) {
        if (schema.contains("$ref")) {
            const QString ref = schema["$ref"].toString();
            check(value, root_["$defs"].toObject()[ref.section('/', -1)].toObject(), place);
        }
        if (schema.contains("type")) {
            const QJsonValue type = schema["type"];
            bool matches = false;
            for (const QJsonValue& one : type.isArray() ? type.toArray() : QJsonArray{type})
                matches = matches || hasType(value, one.toString());
            if (!matches) faults.push_back(place + ": not of the type the schema gives");
        }
        if (schema.contains("enum") && !schema["enum"].toArray().contains(value))
            faults.push_back(place + ": not one of the values the schema lists");
        if (schema.contains("minimum") && value.isDouble() && value.toDouble() < schema["minimum"].toDouble())
            faults.push_back(place + ": below its minimum");
        if (schema.contains("anyOf")) {
            bool any = false;
            for (const QJsonValue& choice : schema["anyOf"].toArray()) {
                Checker one(root_);
                one.check(value, choice.toObject(), place);
                any = any || one.faults.empty();
            }
            if (!any) faults.push_back(place + ": matches none of anyOf");
        }
        if (value.isObject()) checkObject(value.toObject(), schema, place);
        if (value.isArray() && schema.contains("items"))
            for (qsizetype i = 0; i < value.toArray().size(); ++i)
                check(value.toArray()[i], schema["items"].toObject(), place + "/" + std::to_string(i));
    }

    std::vector<std::string> faults;

private:
    void checkObject(const QJsonObject& object, const QJsonObject& schema, const std::string& place) {
        for (const QJsonValue& name : schema["required"].toArray())
            if (!object.contains(name.toString())) faults.push_back(place + "/" + name.toString().toStdString() + ": missing");
        const QJsonObject properties = schema["properties"].toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string at = place + "/" + it.key().toStdString();
            if (properties.contains(it.key()))
                check(it.value(), properties[it.key()].toObject(), at);
            else if (schema["additionalProperties"] == QJsonValue(false))
                faults.push_back(at + ": not a property the schema allows");
        }
    }

    QJsonObject root_;
};

}  // namespace

std::vector<std::string> schemaFaults(const QJsonValue& value, const QJsonObject& schema) {
    Checker checker(schema);
    checker.check(value, schema, "");
    return checker.faults;
}
