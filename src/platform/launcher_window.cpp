#include "platform/launcher_window.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 384;
constexpr int kBannerBorder = 2;  // the sunken edge around the banner, inside its 512x128

// Shrinks the theme's paddings and minimum sizes so that every control fits the
// pixel box it is given; scoped to the launcher by the window's name.
constexpr const char* kCss = R"css(
#vexmoor-launcher button, #vexmoor-launcher combobox button {
  min-height: 0; min-width: 0; padding: 0 4px; margin: 0;
}
#vexmoor-launcher radiobutton { min-height: 0; padding: 0; margin: 0; }
#vexmoor-launcher radiobutton radio { min-height: 12px; min-width: 12px; margin: 0 4px 0 0; }
#vexmoor-launcher combobox, #vexmoor-launcher combobox box { min-height: 0; margin: 0; padding: 0; }
#vexmoor-launcher combobox arrow { min-height: 0; min-width: 12px; }
#vexmoor-launcher label { min-height: 0; padding: 0; margin: 0; }
#vexmoor-launcher frame > border {
  border-style: inset; border-width: 2px; border-color: #808080 #ffffff #ffffff #808080;
  border-radius: 0; padding: 0; margin: 0;
}
)css";

// What the controls hold and how the window ended.
struct Launcher {
  GtkWidget* window = nullptr;
  GtkWidget* windowed = nullptr;
  GtkWidget* maps = nullptr;
  LauncherResult result;
};

// The RGBA image as a pixbuf, cropped to width x height from its top-left corner
// (the banner shows inside its sunken edge, clipped like a picture in a frame).
GdkPixbuf* ToPixbuf(const Image& image, int width, int height) {
  width = std::min(width, image.width);
  height = std::min(height, image.height);
  if (width <= 0 || height <= 0 || image.rgba.size() < static_cast<size_t>(image.width) * image.height * 4) {
    return nullptr;
  }
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height);
  if (pixbuf == nullptr) return nullptr;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < height; ++y) {
    std::memcpy(pixels + static_cast<size_t>(y) * stride, image.Pixel(0, y), static_cast<size_t>(width) * 4);
  }
  return pixbuf;
}

void Place(GtkWidget* fixed, GtkWidget* control, int x, int y, int width, int height) {
  gtk_widget_set_size_request(control, width, height);
  gtk_fixed_put(GTK_FIXED(fixed), control, x, y);
}

void OnLaunch(GtkButton*, gpointer data) {
  auto* launcher = static_cast<Launcher*>(data);
  gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(launcher->maps));
  const std::string name = text != nullptr ? text : "";
  g_free(text);
  if (!name.empty()) {
    launcher->result.launched = true;
    launcher->result.mapName = name;
    launcher->result.mapIndex = gtk_combo_box_get_active(GTK_COMBO_BOX(launcher->maps));
    launcher->result.displayMode = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(launcher->windowed)) ? 0 : 1;
  }
  gtk_main_quit();
}

void OnCancel(GtkButton*, gpointer) { gtk_main_quit(); }

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer) {
  gtk_main_quit();
  return TRUE;  // the window is destroyed after the loop, not by the close box
}

void OnDestroy(GtkWidget*, gpointer data) {
  auto* launcher = static_cast<Launcher*>(data);
  if (launcher->window != nullptr) {
    launcher->window = nullptr;
    gtk_main_quit();
  }
}

void AddBanner(GtkWidget* fixed, const Image& banner) {
  GtkWidget* frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
  GdkPixbuf* pixbuf = ToPixbuf(banner, 512 - 2 * kBannerBorder, 128 - 2 * kBannerBorder);
  GtkWidget* picture = pixbuf != nullptr ? gtk_image_new_from_pixbuf(pixbuf) : gtk_image_new();
  if (pixbuf != nullptr) g_object_unref(pixbuf);
  gtk_widget_set_halign(picture, GTK_ALIGN_START);
  gtk_widget_set_valign(picture, GTK_ALIGN_START);
  gtk_container_add(GTK_CONTAINER(frame), picture);
  Place(fixed, frame, 0, 0, 512, 128);
}

void AddControls(Launcher& launcher, GtkWidget* fixed, const std::vector<std::string>& mapNames) {
  launcher.windowed = gtk_radio_button_new_with_label(nullptr, "Windowed 1024x768");
  Place(fixed, launcher.windowed, 20, 148, 200, 20);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(launcher.windowed), TRUE);
  GtkWidget* fullscreen =
      gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(launcher.windowed), "FullScreen 1024x768");
  Place(fixed, fullscreen, 20, 168, 200, 20);

  GtkWidget* label = gtk_label_new(" Map:");
  gtk_label_set_xalign(GTK_LABEL(label), 1.0f);
  gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
  Place(fixed, label, 20, 210, 100, 20);

  launcher.maps = gtk_combo_box_text_new();
  for (const std::string& name : mapNames) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(launcher.maps), name.c_str());
  }
  if (!mapNames.empty()) gtk_combo_box_set_active(GTK_COMBO_BOX(launcher.maps), 0);
  Place(fixed, launcher.maps, 140, 208, 200, 20);

  GtkWidget* launch = gtk_button_new_with_label("Launch");
  gtk_widget_set_can_default(launch, TRUE);
  Place(fixed, launch, 326, 350, 180, 25);
  GtkWidget* cancel = gtk_button_new_with_label("Cancel");
  Place(fixed, cancel, 6, 350, 190, 25);
  gtk_window_set_default(GTK_WINDOW(launcher.window), launch);
  g_signal_connect(launch, "clicked", G_CALLBACK(OnLaunch), &launcher);
  g_signal_connect(cancel, "clicked", G_CALLBACK(OnCancel), &launcher);
}

void BuildWindow(Launcher& launcher, const std::string& title, const std::vector<std::string>& mapNames,
                 const Image& banner) {
  launcher.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(launcher.window);
  gtk_widget_set_name(launcher.window, "vexmoor-launcher");
  gtk_window_set_title(window, title.c_str());
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(fixed, kClientWidth, kClientHeight);
  gtk_container_add(GTK_CONTAINER(window), fixed);
  AddBanner(fixed, banner);
  AddControls(launcher, fixed, mapNames);
  g_signal_connect(launcher.window, "delete-event", G_CALLBACK(OnDelete), &launcher);
  g_signal_connect(launcher.window, "destroy", G_CALLBACK(OnDestroy), &launcher);
}

// Lets GTK finish everything pending, so the window is really gone from the screen.
void Flush() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  GdkDisplay* display = gdk_display_get_default();
  if (display != nullptr) gdk_display_sync(display);
}

}  // namespace

LauncherResult RunLauncherWindow(const std::string& title, const std::vector<std::string>& mapNames,
                                 const Image& banner) {
  if (!gtk_init_check(nullptr, nullptr)) {
    LauncherResult failed;
    failed.error = "no display to open the launcher window on (is DISPLAY set? --map NAME --headless plays without one)";
    return failed;
  }
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kCss, -1, nullptr);
  GdkScreen* screen = gdk_screen_get_default();
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);

  Launcher launcher;
  BuildWindow(launcher, title, mapNames, banner);
  gtk_widget_show_all(launcher.window);
  gtk_main();

  if (launcher.window != nullptr) {
    GtkWidget* window = launcher.window;
    launcher.window = nullptr;  // the destroy handler must not quit a loop that is over
    gtk_widget_destroy(window);
  }
  Flush();
  gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(css));
  g_object_unref(css);
  return launcher.result;
}
