#pragma once
// Forms by name: the first use of a form's name creates it and runs its load
// step; unloading discards it, and the next use builds it anew.
#include <memory>

#include "platform/toolkit/form.h"

namespace plat {

// Keeps an unloaded form alive until none of its handlers is on the stack.
void DisposeLater(std::unique_ptr<Form> form);
// Frees the unloaded forms that are no longer running a handler. Message loops
// call it between messages.
void CollectUnloadedForms();

template <class T>
struct FormSlot {
    static std::unique_ptr<T>& Instance() {
        static std::unique_ptr<T> instance;
        return instance;
    }
};

// The form named T, created and loaded on first use.
template <class T>
T& Forms() {
    auto& p = FormSlot<T>::Instance();
    if (!p) {
        p = std::make_unique<T>();
        p->SetReleaser([] { DisposeLater(std::move(FormSlot<T>::Instance())); });
        T& f = *p;
        f.Load();
        return f;
    }
    return *p;
}

// The form named T if it is loaded, else nullptr; never creates it.
template <class T>
T* LoadedForm() {
    return FormSlot<T>::Instance().get();
}

template <class T>
void UnloadForm() {
    if (T* f = LoadedForm<T>()) f->Unload();
}

}  // namespace plat
