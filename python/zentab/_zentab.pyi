from typing import Dict, List, Optional, Tuple, Union

FORMATS: Dict[str, Tuple[int, bool, bool]]
DOCUMENT_KINDS: Dict[str, int]
LAYOUT: Dict[str, Dict[str, int]]

# () or (width, cell_widths, overflow, align, padding, rules, layout)
Layout = Union[Tuple[()], Tuple[int, List[int], int, List[int], int, int, int]]

# () or (columns, hide, sort, head, tail, transpose); head and tail -1 for all
Shape = Union[Tuple[()], Tuple[str, str, str, int, int, bool]]

# () or (number, group_char, missing)
Cells = Union[Tuple[()], Tuple[str, str, str]]
# () or (title, footer, align, with_title); align 0 centre, 1 left, 2 right
Titles = Union[Tuple[()], Tuple[str, str, int, bool]]

def convert_text(text: str, from_: int, to: int, frame: int, position: int, wide: bool,
                 crlf: bool, nested_text: bool, header: bool, layout: Layout = (),
                 shape: Shape = (), cells: Cells = (), titles: Titles = ()) -> str: ...
def frame_rows(rows: List[List[str]], to: int, frame: int, position: int, wide: bool,
               crlf: bool, header: bool, layout: Layout = (), shape: Shape = (),
               cells: Cells = (), titles: Titles = ()) -> str: ...
def read_cells(text: str, from_: int, wide: bool, nested_text: bool) -> List[List[str]]: ...
# padding -1: the kind's own; the tables left as (line, column, message, kind)
def format_document(text: Union[str, bytes], kind: int, wide: bool,
                    padding: int) -> Tuple[str, List[Tuple[int, int, str, str]]]: ...
TITLE_ALIGN: Dict[str, int]
def run_command(args: List[str], ambiguous: Optional[str]) -> Tuple[int, bytes, bytes]: ...
