;; Emacs with eglot: zentab lsp in every Markdown, Org and rst buffer.
;; M-x eglot-format-buffer lines up the tables, M-x eglot-code-actions
;; converts the selection. An entry for each mode: eglot 1.9 gives all the
;; modes of one entry the language of the first.
(with-eval-after-load 'eglot
  (dolist (mode '(markdown-mode org-mode rst-mode))
    (add-to-list 'eglot-server-programs `(,mode . ("zentab" "lsp")))))
(dolist (hook '(markdown-mode-hook org-mode-hook rst-mode-hook))
  (add-hook hook #'eglot-ensure))
