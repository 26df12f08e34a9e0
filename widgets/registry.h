#pragma once

#include <QHash>
#include <QObject>

namespace widgets {

// A value kept for each of some objects, dropped when the object goes. For
// values read on every paint: a dynamic property's lookup first searches
// every static property of the class by name.
template <typename T> class Registry {
  public:
    const T* find(const QObject* o) const {
        const auto it = map_.constFind(o);
        return it == map_.cend() ? nullptr : &it.value();
    }
    void set(const QObject* o, const T& value) {
        auto it = map_.find(o);
        if (it != map_.end()) {
            it.value() = value;
            return;
        }
        map_.insert(o, value);
        QObject::connect(o, &QObject::destroyed, [this](QObject* gone) { map_.remove(gone); });
    }

  private:
    QHash<const QObject*, T> map_;
};

} // namespace widgets
