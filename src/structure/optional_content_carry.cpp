#include "structure/optional_content_carry.h"

#include <functional>
#include <set>

#include <qpdf/QPDFPageObjectHelper.hh>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// Deeper nesting of form XObjects is taken as damage.
constexpr int DeepestNesting = 16;
// Enough for any real layer panel; more items are taken as damage.
constexpr std::size_t MostOrderItems = 100000;

using Replace = std::function<void(QPDFObjectHandle)>;

// Walks an input page's resources beside those of its copy in the output.
class LayerMapper {
public:
    explicit LayerMapper(ForeignCopier& copier) : copier_(copier) {}

    void walkResources(QPDFObjectHandle source, QPDFObjectHandle copy, int depth) {
        if (depth > DeepestNesting || !source.isDictionary() || !copy.isDictionary()) return;
        if (source.isIndirect() && copy.isIndirect() && !walked_.insert({source.getObjGen(), copy.getObjGen()}).second)
            return;
        QPDFObjectHandle properties = source.getKey("/Properties"), copiedProperties = copy.getKey("/Properties");
        if (properties.isDictionary() && copiedProperties.isDictionary())
            for (auto& [key, value] : properties.ditems())
                match(value, copiedProperties.getKey(key), [&copiedProperties, key = key](QPDFObjectHandle group) {
                    copiedProperties.replaceKey(key, group);
                });

        QPDFObjectHandle objects = source.getKey("/XObject"), copiedObjects = copy.getKey("/XObject");
        if (!objects.isDictionary() || !copiedObjects.isDictionary()) return;
        for (auto& [key, object] : objects.ditems()) {
            QPDFObjectHandle copied = copiedObjects.getKey(key);
            if (!object.isStream() || !copied.isStream()) continue;
            if (!walked_.insert({object.getObjGen(), copied.getObjGen()}).second) continue;
            QPDFObjectHandle copiedDictionary = copied.getDict();
            match(entry(object, "/OC"), copiedDictionary.getKey("/OC"),
                  [&copiedDictionary](QPDFObjectHandle group) { copiedDictionary.replaceKey("/OC", group); });
            walkResources(entry(object, "/Resources"), copiedDictionary.getKey("/Resources"), depth + 1);
        }
    }

private:
    // source and copy are a group (or membership dictionary) and PDFium's
    // copy of it; the first copy met stands for the group, and replace points
    // the output's reference at it when this copy is another one.
    void match(QPDFObjectHandle source, QPDFObjectHandle copy, const Replace& replace) {
        if (!isIndirectDictionary(source) || !isIndirectDictionary(copy)) return;
        QPDFObjectHandle known = copier_.mapped(source.getObjGen());
        if (known.isInitialized() && known.isDictionary()) {
            if (!known.isSameObjectAs(copy)) replace(known);
            return;
        }
        copier_.map(source.getObjGen(), copy);
        QPDFObjectHandle groups = source.getKey("/OCGs"), copiedGroups = copy.getKey("/OCGs");
        if (groups.isArray() && copiedGroups.isArray() && groups.getArrayNItems() == copiedGroups.getArrayNItems()) {
            for (int i = 0; i < groups.getArrayNItems(); ++i)
                match(groups.getArrayItem(i), copiedGroups.getArrayItem(i),
                      [copiedGroups, i](QPDFObjectHandle group) mutable { copiedGroups.setArrayItem(i, group); });
        } else {
            match(groups, copiedGroups, [copy](QPDFObjectHandle group) mutable { copy.replaceKey("/OCGs", group); });
        }
    }

    ForeignCopier& copier_;
    std::set<std::pair<QPDFObjGen, QPDFObjGen>> walked_;
};

class LayerFilter {
public:
    explicit LayerFilter(ForeignCopier& copier) : copier_(copier) {}

    // The output's group for an input group, or null when the output does not use it.
    QPDFObjectHandle groupOf(QPDFObjectHandle group) const {
        if (!group.isIndirect()) return QPDFObjectHandle::newNull();
        QPDFObjectHandle copy = copier_.mapped(group.getObjGen());
        return copy.isInitialized() && copy.isDictionary() ? copy : QPDFObjectHandle::newNull();
    }

    std::vector<QPDFObjectHandle> groupsOf(QPDFObjectHandle list) const {
        std::vector<QPDFObjectHandle> groups;
        for (QPDFObjectHandle item : itemsOf(list))
            if (!groupOf(item).isNull()) groups.push_back(groupOf(item));
        return groups;
    }

    // The layer panel's order without the groups the output does not use;
    // a nested list left without groups goes, its label with it. A list met
    // again (shared or holding itself) is shown once, where it is met first;
    // past MostOrderItems items the rest is left out, and cut says so.
    std::vector<QPDFObjectHandle> order(QPDFObjectHandle list, bool& cut) const {
        struct Level {
            std::vector<QPDFObjectHandle> items, kept;
            std::size_t next = 0;
            bool hasGroup = false;
        };
        std::set<QPDFObjGen> met;
        if (list.isIndirect()) met.insert(list.getObjGen());
        std::vector<Level> levels(1);
        levels.back().items = itemsOf(list);
        std::size_t visited = 0;
        while (true) {
            Level& level = levels.back();
            if (level.next == level.items.size()) {
                std::vector<QPDFObjectHandle> finished = level.hasGroup ? level.kept : std::vector<QPDFObjectHandle>();
                if (levels.size() == 1) return finished;
                levels.pop_back();
                if (finished.empty()) continue;
                levels.back().kept.push_back(QPDFObjectHandle::newArray(finished));
                levels.back().hasGroup = true;
                continue;
            }
            QPDFObjectHandle item = level.items[level.next++];
            if (++visited > MostOrderItems) {
                cut = true;
                for (Level& open : levels) open.next = open.items.size();
                continue;
            }
            if (item.isString()) {
                level.kept.push_back(copier_.copy(item));
            } else if (item.isArray()) {
                if (item.isIndirect() && !met.insert(item.getObjGen()).second) continue;
                Level nested;
                nested.items = itemsOf(item);
                levels.push_back(std::move(nested));
            } else if (!groupOf(item).isNull()) {
                level.kept.push_back(groupOf(item));
                level.hasGroup = true;
            }
        }
    }

private:
    ForeignCopier& copier_;
};

std::set<QPDFObjGen> objGensOf(QPDFObjectHandle list) {
    std::set<QPDFObjGen> found;
    for (QPDFObjectHandle item : itemsOf(list))
        if (item.isIndirect()) found.insert(item.getObjGen());
    return found;
}

QPDFObjectHandle arrayOf(const std::vector<QPDFObjectHandle>& items) { return QPDFObjectHandle::newArray(items); }

}  // namespace

void mapLayers(InputCarry& input) {
    if (!entry(input.source().catalog(), "/OCProperties").isDictionary()) return;
    const std::vector<QPDFObjectHandle>& sourcePages = input.sourcePages();
    LayerMapper mapper(input.copier());
    for (std::size_t position : input.outputPositions()) {
        const int page = input.sourcePageAt(position);
        if (page < 0 || static_cast<std::size_t>(page) >= sourcePages.size()) continue;
        QPDFPageObjectHelper source(sourcePages[static_cast<std::size_t>(page)]);
        QPDFPageObjectHelper copy(input.target().pages[position]);
        mapper.walkResources(source.getAttribute("/Resources", false), copy.getAttribute("/Resources", false), 0);
    }
}

LayerPart collectLayers(InputCarry& input) {
    LayerPart part;
    QPDFObjectHandle properties = entry(input.source().catalog(), "/OCProperties");
    if (!properties.isDictionary()) return part;
    ForeignCopier& copier = input.copier();
    LayerFilter filter(copier);
    QPDFObjectHandle configuration = entry(properties, "/D");

    const bool offByDefault = nameOf(entry(configuration, "/BaseState")) == "/OFF";
    const std::set<QPDFObjGen> on = objGensOf(entry(configuration, "/ON"));
    const std::set<QPDFObjGen> off = objGensOf(entry(configuration, "/OFF"));
    std::set<QPDFObjGen> taken;
    for (QPDFObjectHandle group : itemsOf(properties.getKey("/OCGs"))) {
        QPDFObjectHandle copy = filter.groupOf(group);
        if (copy.isNull() || !taken.insert(copy.getObjGen()).second) continue;
        part.groups.push_back(copy);
        const bool hidden = offByDefault ? !on.count(group.getObjGen()) : off.count(group.getObjGen()) > 0;
        if (hidden) part.off.push_back(copy);
    }
    if (part.groups.empty()) return part;

    QPDFObjectHandle order = entry(configuration, "/Order");
    bool cut = false;
    part.order = order.isArray() ? filter.order(order, cut) : part.groups;
    if (cut) input.source().note("layer panel entries beyond the first " + std::to_string(MostOrderItems));
    part.locked = filter.groupsOf(entry(configuration, "/Locked"));
    for (QPDFObjectHandle set : itemsOf(entry(configuration, "/RBGroups"))) {
        std::vector<QPDFObjectHandle> groups = filter.groupsOf(set);
        if (!groups.empty()) part.radioButtons.push_back(arrayOf(groups));
    }
    for (QPDFObjectHandle application : itemsOf(entry(configuration, "/AS"))) {
        std::vector<QPDFObjectHandle> groups = filter.groupsOf(entry(application, "/OCGs"));
        if (groups.empty()) continue;
        QPDFObjectHandle usage = QPDFObjectHandle::newDictionary();
        usage.replaceKey("/Event", copier.copy(entry(application, "/Event")));
        usage.replaceKey("/Category", copier.copy(entry(application, "/Category")));
        usage.replaceKey("/OCGs", arrayOf(groups));
        part.usage.push_back(usage);
    }
    part.name = entry(configuration, "/Name").isString() ? copier.copy(entry(configuration, "/Name"))
                                                          : QPDFObjectHandle::newNull();
    part.intent = copier.copy(entry(configuration, "/Intent"));
    return part;
}

void writeLayers(QPDF& output, const std::vector<LayerPart>& parts) {
    std::vector<QPDFObjectHandle> groups, off, order, locked, radioButtons, usage;
    QPDFObjectHandle name = QPDFObjectHandle::newNull(), intent = QPDFObjectHandle::newNull();
    for (const LayerPart& part : parts) {
        if (part.groups.empty()) continue;
        if (groups.empty()) name = part.name, intent = part.intent;
        auto append = [](std::vector<QPDFObjectHandle>& to, const std::vector<QPDFObjectHandle>& from) {
            to.insert(to.end(), from.begin(), from.end());
        };
        append(groups, part.groups);
        append(off, part.off);
        append(order, part.order);
        append(locked, part.locked);
        append(radioButtons, part.radioButtons);
        append(usage, part.usage);
    }
    if (groups.empty()) return;
    QPDFObjectHandle configuration = QPDFObjectHandle::newDictionary();
    if (!name.isNull()) configuration.replaceKey("/Name", name);
    if (!intent.isNull()) configuration.replaceKey("/Intent", intent);
    configuration.replaceKey("/BaseState", QPDFObjectHandle::newName("/ON"));
    configuration.replaceKey("/OFF", arrayOf(off));
    configuration.replaceKey("/Order", arrayOf(order));
    if (!locked.empty()) configuration.replaceKey("/Locked", arrayOf(locked));
    if (!radioButtons.empty()) configuration.replaceKey("/RBGroups", arrayOf(radioButtons));
    if (!usage.empty()) configuration.replaceKey("/AS", arrayOf(usage));
    QPDFObjectHandle properties = QPDFObjectHandle::newDictionary();
    properties.replaceKey("/OCGs", arrayOf(groups));
    properties.replaceKey("/D", configuration);
    output.getRoot().replaceKey("/OCProperties", output.makeIndirectObject(properties));
}
