#ifndef MERID_OUTPUT_SVG_WRITER_H_
#define MERID_OUTPUT_SVG_WRITER_H_

// A small writer of SVG documents: the few elements a plot needs, drawn in
// the order they are added, styled by class from one style sheet.

#include <span>
#include <string>
#include <string_view>

namespace merid {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

enum class TextAnchor { kStart, kMiddle, kEnd };

class SvgWriter {
 public:
  // A drawing `width` by `height` user units, styled by `css`.
  SvgWriter(double width, double height, std::string_view css);

  void line(Point from, Point to, std::string_view css_class);
  void polyline(std::span<const Point> points, std::string_view css_class);
  void rect(Point corner, double width, double height,
            std::string_view css_class);
  // `content` is UTF-8 text; markup characters in it are escaped.
  void text(Point at, std::string_view content, std::string_view css_class,
            TextAnchor anchor = TextAnchor::kStart);
  // Text turned a quarter turn counter-clockwise about `at`, for a vertical
  // axis label.
  void vertical_text(Point at, std::string_view content,
                     std::string_view css_class);
  void begin_group(std::string_view css_class);
  void end_group();

  // The finished document.
  std::string finish();

 private:
  void open_element(std::string_view name, std::string_view css_class);
  void attribute(std::string_view name, double value);

  std::string out_;
};

// The title of a page `width` wide, centred: one line, or two.
void draw_title(SvgWriter& svg, double width,
                std::span<const std::string> lines);

}  // namespace merid

#endif  // MERID_OUTPUT_SVG_WRITER_H_
