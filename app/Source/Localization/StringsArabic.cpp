// Arabic texts (right-to-left). Same keys as the English table, same order.
#include "Localization/StringTable.h"

#include <iterator>

namespace {
const StringTableEntry kEntries[] = {
    // Common
    {"OK", "موافق"},
    {"Cancel", "إلغاء"},
    {"Back", "رجوع"},

    // Main menu
    {"MainMenu_Edit", "تحرير"},
    {"MainMenu_Window", "نافذة"},
    {"MainMenu_Help", "مساعدة"},
    {"MainMenu_About", "حول %@"},
    {"MainMenu_Prefs", "التفضيلات…"},
    {"MainMenu_AppHide", "إخفاء %@"},
    {"MainMenu_OtherHide", "إخفاء الآخرين"},
    {"MainMenu_ShowAll", "إظهار الكل"},
    {"MainMenu_Quit", "إنهاء %@"},
    {"MainMenu_Cut", "قص"},
    {"MainMenu_Copy", "نسخ"},
    {"MainMenu_Paste", "لصق"},
    {"MainMenu_Delete", "حذف"},
    {"MainMenu_SelectAll", "تحديد الكل"},
    {"MainMenu_Miniaturize", "تصغير"},
    {"MainMenu_Zoom", "تكبير/تصغير"},
    {"MainMenu_Close", "إغلاق"},
    {"MainMenu_FrontAll", "إحضار الكل إلى المقدمة"},
    {"MainMenu_ShowHelpHelp", "مساعدة %@"},

    // Errors
    {"ErrorTitle", "خطأ"},
    {"ErrorFileAccess", "تعذّر على الماسح الضوئي الوصول إلى الملف أو المجلد الوجهة."},
    {"ErrorNotReady", "الماسح الضوئي غير جاهز."},
    {"ErrorNoPaperIsSet", "لا يوجد ورق في الماسح الضوئي."},
    {"ErrorPaperJammed", "الورق عالق في الماسح الضوئي."},
    {"ErrorCoverIsOpen", "غطاء الماسح الضوئي مفتوح."},
    {"ErrorScannerHardware", "حدث خطأ في عتاد الماسح الضوئي."},
    {"ErrorScannerOutOfMemory", "نفدت ذاكرة الماسح الضوئي."},
    {"ErrorUnknownStorage", "تعذّر العثور على وحدة تخزين الماسح الضوئي."},
    {"ErrorPaperFeed", "تعذّرت تغذية الورق بشكل صحيح."},
    {"ErrorNoDetectScanner", "لم يتم العثور على أي ماسح ضوئي."},
    {"ErrorScan", "فشل المسح الضوئي."},
    {"ErrorFailedToBulkRegistJob", "تعذّر تسجيل المهام على الماسح الضوئي."},
    {"ErrorInvalidCharacters", "يحتوي المسار على أحرف غير مسموح بها: : \" * ? < > |"},
    {"ErrorTooLongPath", "المسار طويل جدًا."},
    {"ErrorInvalidPassword", "كلمة مرور المهام غير صحيحة."},
    {"ErrorConnect", "فشل الاتصال بالماسح الضوئي."},
    {"ErrorJobName", "أدخل اسم المهمة."},
    {"ErrorSendPath", "أدخل مسار المجلد المشترك."},
    {"ErrorInvalidCombiMonoJpeg", "لا يمكن الجمع بين وضع الأبيض والأسود وتنسيق ملف JPEG."},
    {"ErrorNoSelectJob", "اختر مهمة."},
    {"ErrorNoSelectScanner", "اختر ماسحًا ضوئيًا."},
    {"ErrorJobFull", "لا يمكن إضافة مزيد من المهام: الحد الأقصى 99 مهمة."},

    // Job list
    {"TitleScanAppJob", "مهام المسح الضوئي"},
    {"TitleSelectScanner", "اختيار الماسح الضوئي"},
    {"SelectScanner", "اختر ماسحًا ضوئيًا"},
    {"LabelScanSettings", "إعدادات المسح الضوئي"},
    {"MenuDeleteAll", "حذف الكل"},
    {"TitleAddJob", "إضافة مهمة"},
    {"ButtonScan", "مسح ضوئي"},
    {"MessageDelete", "هل تريد حذف جميع المهام؟"},
    {"LabelJob", "مهمة"},

    // Scan
    {"Scanning", "جارٍ المسح الضوئي..."},
    {"CreatingFile", "جارٍ إنشاء الملف..."},
    {"SendingFile", "جارٍ إرسال الملف..."},
    {"CompletedScan", "اكتمل المسح الضوئي."},

    // Registration
    {"BulkRegist", "جارٍ تسجيل المهام..."},
    {"LabelJobNo", "رقم المهمة "},
    {"RegistJob", "تسجيل"},
    {"MenuDelete", "حذف"},
    {"FinishRegist", "تم تسجيل المهام على الماسح الضوئي."},

    // Bulk registration
    {"ButtonUpdate", "تحديث"},
    {"LabelSendJobAllScanner", "تسجيل المهام على عدة ماسحات ضوئية"},
    {"LabelSelect", "تحديد"},
    {"LabelScanner", "الماسح الضوئي"},
    {"LabelPassword", "كلمة المرور"},
    {"LabelResult", "النتيجة"},
    {"ResSuccess", "نجح"},
    {"ResFailure", "فشل"},
    {"SearchScanner", "جارٍ البحث عن الماسحات الضوئية..."},

    // Password dialog
    {"TitlePassword", "كلمة مرور المهام"},
    {"MessagePassword", "أدخل كلمة مرور المهام الخاصة بالماسح الضوئي."},

    // Job editor
    {"ColorMode", "وضع الألوان"},
    {"Color", "ألوان"},
    {"Gray", "تدرج الرمادي"},
    {"Monochrome", "أبيض وأسود"},
    {"PaperSize", "حجم الورق"},
    {"Auto", "تلقائي"},
    {"Letter", "Letter"},
    {"A4", "A4"},
    {"Resolution", "الدقة"},
    {"Dpi150", "150 نقطة/بوصة"},
    {"Dpi200", "200 نقطة/بوصة"},
    {"Dpi240", "240 نقطة/بوصة"},
    {"Dpi300", "300 نقطة/بوصة"},
    {"ReadingSurface", "وجه القراءة"},
    {"SkipWhite", "تخطي الصفحات الفارغة"},
    {"SingleSide", "وجه واحد"},
    {"BothSide", "الوجهان"},
    {"FileFormat", "تنسيق الملف"},
    {"Pdf", "PDF"},
    {"PdfOcr", "PDF (قابل للبحث)"},
    {"Jpeg", "JPEG"},
    {"Tiff", "TIFF"},
    {"SendSetting", "الوجهة"},
    {"ShareFolder", "مجلد مشترك"},
    {"DeviceStorage", "تخزين الماسح الضوئي"},
    {"LabelUser", "اسم المستخدم"},
    {"LabelSendPath", "مسار المجلد المشترك"},
    {"SaveJob", "حفظ"},

    // Scanner list
    {"SearchWordScanner", "اسم الماسح الضوئي أو عنوان IP"},

    // Version screen
    {"TextSendJobAllScanner", "تسجيل المهام على الماسحات الضوئية"},
    {"LabelVersionInfo", "معلومات الإصدار"},
    {"TextVersion", "الإصدار"},
    {"TextCopyright", "حقوق النشر"},

    // Command-line tool
    {"CliUsage",
     "الاستخدام:\n"
     "  vantix jobs list [--json]\n"
     "  vantix jobs show N [--json]\n"
     "  vantix jobs add [خيارات المهمة]\n"
     "  vantix jobs edit N [خيارات المهمة]\n"
     "  vantix jobs rm N... | vantix jobs rm --all\n"
     "  vantix discover [--json]\n"
     "  vantix identify ADDRESS [--json]\n"
     "  vantix scan --scanner ADDRESS --job N [--json]\n"
     "  vantix register --scanner ADDRESS [--json]\n"
     "  vantix bulk-register --targets FILE [--json]\n"
     "\n"
     "خيارات المهمة:\n"
     "  --name TEXT             اسم المهمة\n"
     "  --color VALUE           Color, Gray, Monochrome\n"
     "  --paper VALUE           Auto, Letter, A4\n"
     "  --resolution VALUE      Dpi150, Dpi200, Dpi240, Dpi300\n"
     "  --surface VALUE         SkipWhite, SingleSide, BothSide\n"
     "  --format VALUE          Pdf, PdfOcr, Jpeg, Tiff\n"
     "  --destination VALUE     ShareFolder, DeviceStorage\n"
     "  --user TEXT             اسم المستخدم للمجلد المشترك\n"
     "  --path TEXT             مسار المجلد المشترك\n"
     "  --share-password-stdin  قراءة كلمة مرور المجلد المشترك من الإدخال القياسي\n"
     "\n"
     "يقرأ الأمر register كلمة مرور المهام من الإدخال القياسي، ويقرأ الأمر bulk-register\n"
     "أسطرًا بالشكل \"ADDRESS PASSWORD\" من الملف FILE. لا تُكتب كلمات المرور في سطر الأوامر أبدًا.\n"
     "يوقف Ctrl-C الأوامر scan وregister وbulk-register بعد الطلب الحالي ويحرّر\n"
     "الماسح الضوئي؛ وضغطة ثانية على Ctrl-C تُنهي البرنامج فورًا.\n"
     "يطبع vantix --verbose COMMAND ... أيضًا كل طلب إلى الماسح الضوئي (الطريقة وURL\n"
     "والحالة أو سبب الإخفاق والمدة) على الخطأ القياسي.\n"
     "رمز الخروج: 0 نجاح، 1 فشل العملية، 2 استخدام غير صحيح."},
    {"CliErrorUnknownCommand", "الأمر \"%@\" غير معروف. شغّل \"vantix help\" لعرض طريقة الاستخدام."},
    {"CliErrorUnknownOption", "الخيار \"%@\" غير معروف."},
    {"CliErrorMissingValue", "يحتاج الخيار \"%@\" إلى قيمة."},
    {"CliErrorRepeatedOption", "الخيار \"%@\" مذكور أكثر من مرة."},
    {"CliErrorInvalidKeyword", "القيمة \"%1$@\" غير صالحة للخيار %2$@؛ استخدم إحدى القيم: %3$@."},
    {"CliErrorInvalidJobNumber", "\"%@\" ليس رقم مهمة (من 1 إلى 99)."},
    {"CliErrorInvalidAddress", "\"%@\" ليس عنوان IPv4."},
    {"CliErrorMissingArgument", "وسيط مفقود: %@."},
    {"CliErrorUnexpectedArgument", "وسيط غير متوقع: \"%@\"."},
    {"CliErrorNoSuchJob", "لا توجد مهمة برقم %@."},
    {"CliErrorSaveFailed", "تعذّر حفظ المهمة %1$@ في %2$@."},
    {"CliErrorDeleteFailed", "تعذّر حذف المهمة %@."},
    {"CliErrorJobFolder", "تعذّر إنشاء مجلد المهام %@."},
    {"CliErrorTargetsOpen", "تعذّرت قراءة ملف الأهداف \"%@\"."},
    {"CliErrorTargetsLine", "السطر %@ من ملف الأهداف ليس عنوان IPv4 متبوعًا بكلمة مرور."},
    {"CliErrorTargetsEmpty", "لا يحتوي ملف الأهداف \"%@\" على أي ماسح ضوئي."},
    {"CliWarnTargetsReadable",
     "تحذير: يحتوي ملف الأهداف \"%@\" على كلمات مرور ويمكن لمستخدمين آخرين قراءته؛ قيّد الوصول إليه بالأمر "
     "\"chmod 600\"."},
    {"CliErrorPasswordInput", "تعذّرت قراءة كلمة المرور من الإدخال القياسي."},
    {"CliPasswordPrompt", "كلمة مرور المهام: "},
    {"CliSharePasswordPrompt", "كلمة مرور المجلد المشترك: "},
    {"CliLabelScannerId", "معرّف الماسح الضوئي"},
    {"CliErrorUnreadableIdentity", "أجاب الماسح الضوئي على العنوان %@، لكن تعذّرت قراءة هويته من الإجابة."},
    {"CliInterruptNotice",
     "جارٍ الإيقاف: سيُحرَّر الماسح الضوئي بعد الطلب الحالي. اضغط Ctrl-C مرة أخرى للخروج فورًا (وقد يبقى "
     "الماسح الضوئي مقفلًا)."},
    {"CliInterrupted", "توقّف التشغيل قبل نهايته. الماسح الضوئي غير مقفل."},
    {"CliInterruptedLocked", "توقّف التشغيل قبل نهايته. لم يقبل الماسح الضوئي إلغاء القفل وقد يبقى مقفلًا."},
};
} // namespace

const StringTable& arabicStringTable()
{
    static const StringTable table{"ar", true, kEntries, std::size(kEntries)};
    return table;
}
