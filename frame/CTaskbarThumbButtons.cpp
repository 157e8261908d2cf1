#include "frame/CTaskbarThumbButtons.h"

#include "frame/ThumbButtonImages.h"
#include "framework/CString.h"
#include "framework/ComPtr.h"
#include "res/resource.h"

#include <objectarray.h>
#include <propkey.h>
#include <propvarutil.h>
#include <shlobj.h>

namespace {
constexpr int kLockImage = 2;
constexpr int kUnlockImage = 3;

void LoadTip(UINT id, wchar_t (&tip)[260]) {
    CString text;
    text.LoadString(id);
    lstrcpynW(tip, text, 260);
}

com_ptr<ITaskbarList3> CreateTaskbar() {
    com_ptr<ITaskbarList3> taskbar;
    if (FAILED(CreateInstance(CLSID_TaskbarList, taskbar)) || !taskbar || FAILED(taskbar->HrInit()))
        taskbar.reset();
    return taskbar;
}
} // namespace

CTaskbarThumbButtons::CTaskbarThumbButtons() {
    const UINT ids[kButtonCount] = {IDM_OPEN_OUTPUT_FOLDER, IDM_OPTIONS, IDM_LOCK, IDM_SHOW_CONTROLLER};
    const UINT images[kButtonCount] = {0, 1, kLockImage, 4};
    for (int i = 0; i < kButtonCount; ++i) {
        m_buttons[i] = THUMBBUTTON{};
        m_buttons[i].dwMask = THB_BITMAP | THB_TOOLTIP | THB_FLAGS;
        m_buttons[i].iId = ids[i];
        m_buttons[i].iBitmap = images[i];
        m_buttons[i].dwFlags = THBF_DISMISSONCLICK;
    }
}

void CTaskbarThumbButtons::SetLockState(bool locked) {
    m_buttons[2].iBitmap = locked ? kUnlockImage : kLockImage;
    LoadTip(locked ? IDS_UNLOCK_FRAME : IDS_LOCK_FRAME, m_buttons[2].szTip);
}

bool CTaskbarThumbButtons::AddButtons(HWND frame) {
    if (!GetSafeHandle()) {
        // The shell's size for the images: 32-bit, as large as a system icon.
        Attach(MakeThumbButtonImages(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
        if (!GetSafeHandle())
            return false;
    }
    LoadTip(IDS_OPEN_OUTPUT_FOLDER, m_buttons[0].szTip);
    LoadTip(IDS_SETTINGS, m_buttons[1].szTip);
    SetLockState(m_buttons[2].iBitmap == kUnlockImage);
    LoadTip(IDS_SHOW_CONTROLLER, m_buttons[3].szTip);
    com_ptr<ITaskbarList3> taskbar = CreateTaskbar();
    if (!taskbar)
        return false;
    if (FAILED(taskbar->ThumbBarSetImageList(frame, GetSafeHandle())))
        return false;
    return SUCCEEDED(taskbar->ThumbBarAddButtons(frame, kButtonCount, m_buttons));
}

bool CTaskbarThumbButtons::UpdateLockButton(HWND frame, bool locked) {
    SetLockState(locked);
    com_ptr<ITaskbarList3> taskbar = CreateTaskbar();
    if (!taskbar)
        return false;
    return SUCCEEDED(taskbar->ThumbBarUpdateButtons(frame, 1, &m_buttons[2]));
}

com_ptr<IShellLinkW> CreateFolderTaskLink(const wchar_t* program) {
    com_ptr<IShellLinkW> link;
    if (!program || !*program || FAILED(CreateInstance(CLSID_ShellLink, link)) || !link)
        return nullptr;
    // The program itself, by its full path: the running copy opens the
    // folder it has now, or says why it cannot.
    if (FAILED(link->SetPath(program)) || FAILED(link->SetArguments(L"/openfolder")))
        return nullptr;
    link->SetIconLocation(L"SHELL32.dll", 4);

    com_ptr<IPropertyStore> store = link.try_query<IPropertyStore>();
    if (!store)
        return nullptr;
    CString title;
    title.LoadString(IDS_OPEN_OUTPUT_FOLDER);
    ScopedPropVariant value;
    if (SUCCEEDED(::InitPropVariantFromString(title, value.put())))
        store->SetValue(PKEY_Title, value.get());
    store->Commit();
    return link;
}

int SetJumpListFolderTask() {
    wchar_t program[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    com_ptr<IShellLinkW> link = CreateFolderTaskLink(program);
    if (!link)
        return 0;

    com_ptr<IObjectCollection> collection;
    if (FAILED(CreateInstance(CLSID_EnumerableObjectCollection, collection)) || !collection)
        return 0;
    if (FAILED(collection->AddObject(link.get())))
        return 0;
    com_ptr<IObjectArray> tasks = collection.try_query<IObjectArray>();
    if (!tasks)
        return 0;

    com_ptr<ICustomDestinationList> list;
    if (FAILED(CreateInstance(CLSID_DestinationList, list)) || !list)
        return 0;
    UINT slots = 0;
    com_ptr<IObjectArray> removed;
    list->BeginList(&slots, __uuidof(IObjectArray), removed.put_void());
    list->AddUserTasks(tasks.get());
    // Only a committed list counts: a shell that refuses the list must not
    // be reported as holding the task.
    return SUCCEEDED(list->CommitList()) ? 1 : 0;
}
