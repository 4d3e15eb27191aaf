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
// Enough for any real visibility expression of a membership dictionary.
constexpr std::size_t MostExpressionItems = 10000;

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
    // source and copy are a group or membership dictionary and PDFium's
    // copy of it; the first copy met stands for it, and replace points the
    // output's reference at it when this copy is another one. The groups of
    // a membership dictionary (its /OCGs, and those its visibility
    // expression /VE names, however nested) are matched too.
    void match(QPDFObjectHandle source, QPDFObjectHandle copy, const Replace& replace) {
        if (!adopt(source, copy, replace)) return;
        QPDFObjectHandle groups = source.getKey("/OCGs"), copiedGroups = copy.getKey("/OCGs");
        if (!groups.isArray())
            adopt(groups, copiedGroups, [copy](QPDFObjectHandle group) mutable { copy.replaceKey("/OCGs", group); });
        std::vector<std::pair<QPDFObjectHandle, QPDFObjectHandle>> lists{{groups, copiedGroups},
                                                                         {source.getKey("/VE"), copy.getKey("/VE")}};
        std::set<QPDFObjGen> listsMet;
        std::size_t items = 0;
        while (!lists.empty() && items < MostExpressionItems) {
            // Named copies: a lambda may not capture a structured binding in C++17.
            QPDFObjectHandle list = lists.back().first, copiedList = lists.back().second;
            lists.pop_back();
            if (!list.isArray() || !copiedList.isArray() || list.getArrayNItems() != copiedList.getArrayNItems()) continue;
            if (list.isIndirect() && !listsMet.insert(list.getObjGen()).second) continue;
            for (int i = 0; i < list.getArrayNItems() && items < MostExpressionItems; ++i, ++items) {
                QPDFObjectHandle item = list.getArrayItem(i), copiedItem = copiedList.getArrayItem(i);
                if (item.isArray())
                    lists.emplace_back(item, copiedItem);
                else
                    adopt(item, copiedItem, [copiedList, i](QPDFObjectHandle group) mutable {
                        copiedList.setArrayItem(i, group);
                    });
            }
        }
    }

    // Maps source to copy, or points the reference at the copy known
    // already; true when source was met for the first time.
    bool adopt(QPDFObjectHandle source, QPDFObjectHandle copy, const Replace& replace) {
        if (!isIndirectDictionary(source) || !isIndirectDictionary(copy)) return false;
        QPDFObjectHandle known = copier_.mapped(source.getObjGen());
        if (known.isInitialized() && known.isDictionary()) {
            if (!known.isSameObjectAs(copy)) replace(known);
            return false;
        }
        copier_.map(source.getObjGen(), copy);
        return true;
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

// The layer panel's order restricted to the output's groups; all groups when there is none.
std::vector<QPDFObjectHandle> panelOrder(InputCarry& input, const LayerFilter& filter, QPDFObjectHandle order,
                                         const std::vector<QPDFObjectHandle>& groups) {
    if (!order.isArray()) return groups;
    bool cut = false;
    std::vector<QPDFObjectHandle> kept = filter.order(order, cut);
    if (cut) input.source().note("layer panel entries beyond the first " + std::to_string(MostOrderItems));
    return kept;
}

// The usage application dictionaries of a configuration, each restricted to the output's groups.
std::vector<QPDFObjectHandle> usageOf(QPDFObjectHandle configuration, const LayerFilter& filter, ForeignCopier& copier) {
    std::vector<QPDFObjectHandle> usage;
    for (QPDFObjectHandle application : itemsOf(entry(configuration, "/AS"))) {
        std::vector<QPDFObjectHandle> groups = filter.groupsOf(entry(application, "/OCGs"));
        if (groups.empty()) continue;
        QPDFObjectHandle kept = QPDFObjectHandle::newDictionary();
        kept.replaceKey("/Event", copier.copy(entry(application, "/Event")));
        kept.replaceKey("/Category", copier.copy(entry(application, "/Category")));
        kept.replaceKey("/OCGs", arrayOf(groups));
        usage.push_back(kept);
    }
    return usage;
}

std::vector<QPDFObjectHandle> radioButtonsOf(QPDFObjectHandle configuration, const LayerFilter& filter) {
    std::vector<QPDFObjectHandle> sets;
    for (QPDFObjectHandle set : itemsOf(entry(configuration, "/RBGroups"))) {
        std::vector<QPDFObjectHandle> groups = filter.groupsOf(set);
        if (!groups.empty()) sets.push_back(arrayOf(groups));
    }
    return sets;
}

// An alternate configuration of the input (one of /Configs) restricted to
// the output's groups, as the default one is.
QPDFObjectHandle alternateConfiguration(InputCarry& input, QPDFObjectHandle configuration, const LayerFilter& filter,
                                        const std::vector<QPDFObjectHandle>& groups) {
    ForeignCopier& copier = input.copier();
    QPDFObjectHandle kept = QPDFObjectHandle::newDictionary();
    for (const char* key : {"/Name", "/Creator", "/BaseState", "/Intent", "/ListMode"})
        if (entry(configuration, key).isScalar() || entry(configuration, key).isArray())
            kept.replaceKey(key, copier.copy(entry(configuration, key)));
    for (const char* key : {"/ON", "/OFF", "/Locked"})
        if (configuration.hasKey(key)) kept.replaceKey(key, arrayOf(filter.groupsOf(entry(configuration, key))));
    kept.replaceKey("/Order", arrayOf(panelOrder(input, filter, entry(configuration, "/Order"), groups)));
    std::vector<QPDFObjectHandle> radioButtons = radioButtonsOf(configuration, filter);
    if (!radioButtons.empty()) kept.replaceKey("/RBGroups", arrayOf(radioButtons));
    std::vector<QPDFObjectHandle> usage = usageOf(configuration, filter, copier);
    if (!usage.empty()) kept.replaceKey("/AS", arrayOf(usage));
    return kept;
}

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

    part.order = panelOrder(input, filter, entry(configuration, "/Order"), part.groups);
    part.locked = filter.groupsOf(entry(configuration, "/Locked"));
    part.radioButtons = radioButtonsOf(configuration, filter);
    part.usage = usageOf(configuration, filter, copier);
    for (QPDFObjectHandle alternate : itemsOf(properties.getKey("/Configs")))
        if (alternate.isDictionary())
            part.configurations.push_back(alternateConfiguration(input, alternate, filter, part.groups));
    part.name = entry(configuration, "/Name").isString() ? copier.copy(entry(configuration, "/Name"))
                                                          : QPDFObjectHandle::newNull();
    part.intent = copier.copy(entry(configuration, "/Intent"));
    return part;
}

void writeLayers(QPDF& output, const std::vector<LayerPart>& parts) {
    std::vector<QPDFObjectHandle> groups, off, order, locked, radioButtons, usage, configurations;
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
        append(configurations, part.configurations);
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
    if (!configurations.empty()) properties.replaceKey("/Configs", arrayOf(configurations));
    output.getRoot().replaceKey("/OCProperties", output.makeIndirectObject(properties));
}
