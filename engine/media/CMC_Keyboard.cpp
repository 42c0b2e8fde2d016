#include "media/CMC_Keyboard.h"

#include "media/MediaWindow.h"
#include "platform/KeyCodes.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"

namespace {

struct KeySignal {
    int key;
    const char* name;
};

constexpr KeySignal kKeySignals[] = {
    {platform::key::Escape, "ESC"},     {platform::key::Digit1, "1"},        {platform::key::Digit2, "2"},
    {platform::key::Digit3, "3"},       {platform::key::Digit4, "4"},        {platform::key::Digit5, "5"},
    {platform::key::Digit6, "6"},       {platform::key::Digit7, "7"},        {platform::key::Digit8, "8"},
    {platform::key::Digit9, "9"},       {platform::key::Digit0, "0"},        {platform::key::Tab, "TAB"},
    {platform::key::Q, "Q"},            {platform::key::W, "W"},             {platform::key::E, "E"},
    {platform::key::R, "R"},            {platform::key::T, "T"},             {platform::key::Y, "Y"},
    {platform::key::U, "U"},            {platform::key::I, "I"},             {platform::key::O, "O"},
    {platform::key::P, "P"},            {platform::key::Return, "ENTER"},    {platform::key::LeftControl, "LCTRL"},
    {platform::key::A, "A"},            {platform::key::S, "S"},             {platform::key::D, "D"},
    {platform::key::F, "F"},            {platform::key::G, "G"},             {platform::key::H, "H"},
    {platform::key::J, "J"},            {platform::key::K, "K"},             {platform::key::L, "L"},
    {platform::key::LeftShift, "LSHIFT"}, {platform::key::Z, "Z"},           {platform::key::X, "X"},
    {platform::key::C, "C"},            {platform::key::V, "V"},             {platform::key::B, "B"},
    {platform::key::N, "N"},            {platform::key::M, "M"},             {platform::key::RightShift, "RSHIFT"},
    {platform::key::LeftAlt, "LALT"},   {platform::key::Space, "SPACE"},     {platform::key::CapsLock, "CAPSLOCK"},
    {platform::key::F1, "F1"},          {platform::key::F2, "F2"},           {platform::key::F3, "F3"},
    {platform::key::F4, "F4"},          {platform::key::F5, "F5"},           {platform::key::F6, "F6"},
    {platform::key::F7, "F7"},          {platform::key::F8, "F8"},           {platform::key::F9, "F9"},
    {platform::key::F10, "F10"},        {platform::key::Numpad7, "7"},       {platform::key::Numpad8, "8"},
    {platform::key::Numpad9, "9"},      {platform::key::Numpad4, "4"},       {platform::key::Numpad5, "5"},
    {platform::key::Numpad6, "6"},      {platform::key::Numpad1, "1"},       {platform::key::Numpad2, "2"},
    {platform::key::Numpad3, "3"},      {platform::key::Numpad0, "0"},       {platform::key::F11, "F11"},
    {platform::key::F12, "F12"},        {platform::key::RightControl, "RCTRL"}, {platform::key::RightAlt, "RALT"},
    {platform::key::Home, "HOME"},      {platform::key::Up, "UP"},           {platform::key::PageUp, "PGUP"},
    {platform::key::Left, "LEFT"},      {platform::key::Right, "RIGHT"},     {platform::key::End, "END"},
    {platform::key::Down, "DOWN"},      {platform::key::PageDown, "PGDN"},   {platform::key::Insert, "INSERT"},
    {platform::key::Delete, "DELETE"},
};

} // namespace

CMC_Keyboard::CMC_Keyboard(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("KEYBOARD"), TYPE)
    , window_(container != nullptr ? MediaWindow::of(container->getWindow()) : nullptr)
{
    setScene(container);
    if (window_ != nullptr)
        window_->registerKeyListener(this);
}

CMC_Keyboard::CMC_Keyboard(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Keyboard(container)
{
    initializeBehaviours(container, element);
}

CMC_Keyboard::~CMC_Keyboard()
{
    if (window_ != nullptr)
        window_->removeKeyListener(this);
}

const CMC_SignalList* CMC_Keyboard::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONCHAR", "ONKEYDOWN", "ONKEYUP"};
    return &signals;
}

CKeyboard* CMC_Keyboard::getKeyboard() const
{
    return window_ != nullptr ? window_->getKeyboardInterface() : nullptr;
}

CXString CMC_Keyboard::getKeySignal(int key)
{
    for (const KeySignal& entry : kKeySignals)
        if (entry.key == key)
            return CXString(entry.name);
    return CXString();
}

void CMC_Keyboard::onKey(int signalIndex, const char* signal, int key)
{
    if (!enabled_ || !isSignalBound(signalIndex))
        return;
    latestKey_ = getKeySignal(key);
    const CXString plain(signal);
    if (!latestKey_.IsString() || !onSignal(plain + "^" + latestKey_))
        onSignal(plain);
}

void CMC_Keyboard::onKeyDown(int key)
{
    onKey(SIGNAL_ONKEYDOWN, "ONKEYDOWN", key);
}

void CMC_Keyboard::onKeyUp(int key)
{
    onKey(SIGNAL_ONKEYUP, "ONKEYUP", key);
}

void CMC_Keyboard::onChar(unsigned char c)
{
    if (!enabled_ || !isSignalBound(SIGNAL_ONCHAR))
        return;
    latestKey_ = CXString(static_cast<int>(c));
    if (!onSignal("ONCHAR^" + latestKey_))
        onSignal(CXString("ONCHAR"));
}
